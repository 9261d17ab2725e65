// The birthday register: one file per birth date in the data folder, the facts of that birthday
// (age and its traditional names, signs, animal, stone, flower of the day) and the list of every
// registered birthday with the days left until it comes round.
#pragma once
#include <string>

#include "toolkit/Bevel.h"
#include "toolkit/Buttons.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Menus.h"
#include "toolkit/RichEdit.h"
#include "toolkit/SpinEdit.h"

struct TForm16 : tk::Form {
    tk::SpinEdit SpinEdit1, SpinEdit2, SpinEdit3;  // year, month, day of birth
    tk::Label Label1, Label2, Label3;              // "年" "月" "日"
    tk::Label Label19;                             // old month name
    tk::Label Label14;                             // rokuyo of the birth date
    tk::Label Label4, Label5;                      // "現在" ... "歳"
    tk::SpinEdit SpinEdit4;                        // age now
    tk::BitBtn BitBtn3;                            // year from age
    tk::Label Label15, Label20;                    // age name, celebration
    tk::Image Image2, Image1, Image3;              // sign, animal, month
    tk::Label Label9, Label10;                     // sign, animal
    tk::Label Label16, Label12;                    // "誕生石", the stone
    tk::Bevel Bevel4;
    tk::Label Label13, Label11;                    // "誕生花", the flower of the day
    tk::Label Label17, Label18;                    // "花言葉", its words
    tk::Label Label6, Label8;                      // "名前＆その他：", "登録リスト："
    tk::RichEdit RichEdit1;
    tk::ListBox ListBox1;
    tk::BitBtn BitBtn1, BitBtn2, BitBtn4, BitBtn6;  // save, delete, (hidden) list, close
    tk::Label Label7;                               // hidden: the current date's file
    tk::PopupMenu PopupMenu1;
    tk::MenuItem *K121 = nullptr, *K131 = nullptr, *Close1 = nullptr;

    TForm16();
    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void SpinEdit1Change();
    void SpinEdit2Change();
    void SpinEdit3Change();
    void SpinEdit4Change();
    void BitBtn3Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn4Click();
    void ListBox1Click();
    void RichEdit1Change();
    void K121Click();
    void K131Click();
    void PopupMenu1Popup();
    void Close1Click();

private:
    // The date update; fromDay when the day field started it (the day facts follow there).
    void DateUpdate(bool fromDay);
    void DayFacts();
    bool DateValid() const;
    void StepDayDown();
    void LoadText();
    void SetSeiza(int value);
    void RefreshMainWindow();
    int Key() const;
};

extern TForm16* Form16;
