#!/usr/bin/env bash
# Gives the Wine prefix a printer of its own: Wine's PostScript driver with its generic PPD,
# printing into the file C:\printout.ps (a port that is a file path; a bare FILE: port would ask
# for a file name). It becomes the default printer. Safe to run again.
# usage: tools/wine-printer.sh        (called by wineprefix.sh; needs the mingw compiler)
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
[ -n "$WINEPREFIX" ] || { echo "WINEPREFIX is not set" >&2; exit 2; }
name="PostScript to file"
port='C:\printout.ps'
ppd='C:\windows\system32\spool\drivers\w32x86\3\printout.ppd'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/addprinter.c" <<'C'
/* addprinter NAME PORT PPD: installs the PostScript driver under NAME with the generic PPD that
   the spooler carries, adds the printer on PORT and makes it the default. */
#include <windows.h>
#include <winspool.h>
#include <stdio.h>

static BOOL CALLBACK FirstName(HMODULE m, LPCSTR type, LPSTR name, LONG_PTR found) {
    *(HRSRC*)found = FindResourceA(m, name, type);
    return FALSE;
}

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    HMODULE spool = LoadLibraryExA("winspool.drv", NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC res = NULL;
    if (spool) EnumResourceNamesA(spool, "PPDFILE", FirstName, (LONG_PTR)&res);
    if (!res) { fprintf(stderr, "the spooler has no PPD\n"); return 1; }
    DWORD size = SizeofResource(spool, res), done = 0;
    const void* data = LockResource(LoadResource(spool, res));
    HANDLE f = CreateFileA(argv[3], GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (f == INVALID_HANDLE_VALUE || !WriteFile(f, data, size, &done, NULL)) { fprintf(stderr, "cannot write the PPD\n"); return 1; }
    CloseHandle(f);

    DRIVER_INFO_3A di = {0};
    di.cVersion = 3;
    di.pName = argv[1];
    di.pEnvironment = "Windows NT x86";
    di.pDriverPath = "wineps.drv";
    di.pConfigFile = "wineps.drv";
    di.pDataFile = argv[3];
    di.pDefaultDataType = "RAW";
    if (!AddPrinterDriverExA(NULL, 3, (BYTE*)&di, APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY)) {
        fprintf(stderr, "AddPrinterDriver failed: %lu\n", GetLastError());
        return 1;
    }
    PRINTER_INFO_2A pi = {0};
    pi.pPrinterName = argv[1];
    pi.pPortName = argv[2];
    pi.pDriverName = argv[1];
    pi.pPrintProcessor = "WinPrint";
    pi.pDatatype = "RAW";
    pi.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE h = AddPrinterA(NULL, 2, (BYTE*)&pi);
    if (h) ClosePrinter(h);
    else if (GetLastError() != ERROR_PRINTER_ALREADY_EXISTS) {
        fprintf(stderr, "AddPrinter failed: %lu\n", GetLastError());
        return 1;
    }
    if (!SetDefaultPrinterA(argv[1])) { fprintf(stderr, "SetDefaultPrinter failed: %lu\n", GetLastError()); return 1; }
    return 0;
}
C
i686-w64-mingw32-gcc -O1 -o "$work/addprinter.exe" "$work/addprinter.c" -lwinspool
if ! wine "$work/addprinter.exe" "$name" "$port" "$ppd" 2>"$work/err"; then
  cat "$work/err" >&2
  exit 1
fi
wineserver -w
