// The printer: the one chosen in the print dialog (else the system's default), print jobs with
// a title and pages, and printing a rich edit page by page. The rich edit's text is laid out and
// drawn here, run by run in its own fonts and colours, since the control's own page formatting
// draws nothing under Wine.
//
//   if (tk::ExecutePrintDialog(Handle)) tk::PrintRichEdit(RichEdit2, Caption());
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Graphics.h"

namespace tk {

class RichEdit;

class TPrinter {
public:
    std::string Title;       // the job's name in the print queue
    std::string OutputFile;  // empty: the printer's own port
    TCanvas Canvas;          // the page being printed, between BeginDoc and EndDoc

    // The printer jobs go to: the one chosen in the dialog while it is installed, else the
    // system's default, else the first installed; empty when there is none.
    std::string PrinterName() const;
    // The dialog's choice: the printer and its settings (a DEVMODE image; empty for its defaults).
    void SetDevice(const std::string& name, const std::string& devMode);
    // The settings for name when it is the chosen printer, else empty.
    std::string DevModeFor(const std::string& name) const;

    // Starts a job on its first page; false when there is no printer or it refused the job.
    bool BeginDoc();
    void NewPage();
    // Sends the job; false when the printer did not take it.
    bool EndDoc();
    // Drops the job.
    void Abort();
    bool Printing() const { return dc_ != nullptr; }
    int PageNumber() const { return page_; }  // 1-based while printing
    HDC Handle() const { return dc_; }
    // The printable area in device pixels, and the device's resolution.
    int PageWidth() const;
    int PageHeight() const;
    int DpiX() const;
    int DpiY() const;

private:
    std::string name_, devMode_;
    HDC dc_ = nullptr;
    int page_ = 0;
};

TPrinter& Printer();

// The installed printers' names.
std::vector<std::string> PrinterNames();
// False, after telling the user in a box at owner's corner, when no printer is installed.
bool CheckPrinter(HWND owner);
// The print dialog, after CheckPrinter; true when the user chose to print.
bool ExecutePrintDialog(HWND owner);
// Prints the rich edit's whole text as job title, wrapped to the page inside 15 mm margins, in
// the control's fonts and colours on white paper. Returns the number of pages printed; 0 when
// nothing was printed, which the user has then been told.
int PrintRichEdit(RichEdit& re, const std::string& title);

// Test seam: while set, the hook's list stands for the installed printers.
void SetPrinterListHookForTest(std::function<std::vector<std::string>()> hook);

}  // namespace tk
