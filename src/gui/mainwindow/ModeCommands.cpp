#include "gui/mainwindow/ModeCommands.h"

#include "gui/mainwindow/Sdimain.h"

namespace vxlo {

std::vector<TActionRow> TModeCommands::Actions() {
    using R = TActionRow;
    TNavigation* const nav = &w_.nav_;
    const auto recording = [nav] { return nav->InputMode() == EInputMode::Record; };
    const auto oneMove = [nav] { return nav->ProgressMode() == EProgressMode::OneMove; };
    const auto hidden = [nav] { return nav->LabelMode() == ELabelMode::Hidden; };
    return {
        R::Menu("mnuInput", TSDIAppForm::tr("入力"), TSDIAppForm::tr("登録しない場合は表示モードにしてください"))
            .In("mnuSetting", place::kInput)
            .Captioned([this, recording] {
                return !inputModeShown_ ? TSDIAppForm::tr("入力")
                       : recording()    ? TSDIAppForm::tr("入力     登録モード")
                                        : TSDIAppForm::tr("入力     表示モード");
            }),
        R::Command("mnuDsp", TSDIAppForm::tr("表示モード"))
            .In("mnuInput", 1)
            .Runs([this, nav] { nav->SetInputMode(EInputMode::Display); ShowInputMode(); })
            .CheckedWhen([recording] { return !recording(); }),
        R::Command("mnuReg", TSDIAppForm::tr("登録モード"))
            .In("mnuInput", 2)
            .Runs([this, nav] { nav->SetInputMode(EInputMode::Record); ShowInputMode(); })
            .CheckedWhen(recording),
        R::Menu("mnuSelect", TSDIAppForm::tr("選択肢"), TSDIAppForm::tr("いろはを表示するかしないか"))
            .In("mnuSetting", place::kSelect)
            .Captioned([this, hidden] {
                return !labelModeShown_ ? TSDIAppForm::tr("選択肢")
                       : hidden()       ? TSDIAppForm::tr("選択肢  非表示")
                                        : TSDIAppForm::tr("選択肢  表示");
            }),
        R::Command("mnuShow", TSDIAppForm::tr("表示"))
            .In("mnuSelect", 1)
            .Runs([this, nav] { nav->SetLabelMode(ELabelMode::Shown); ShowLabelMode(); })
            .CheckedWhen([hidden] { return !hidden(); }),
        R::Command("mnuHide", TSDIAppForm::tr("非表示"))
            .In("mnuSelect", 2)
            .Runs([this, nav] { nav->SetLabelMode(ELabelMode::Hidden); ShowLabelMode(); })
            .CheckedWhen(hidden),
        R::Menu("mnuSinko", TSDIAppForm::tr("進行"), TSDIAppForm::tr("一手づつ進ませるか分岐点まで進ませるか"))
            .In("mnuSetting", place::kProgress)
            .Captioned([this, oneMove] {
                return !progressModeShown_ ? TSDIAppForm::tr("進行")
                       : oneMove()         ? TSDIAppForm::tr("進行     一手づつ")
                                           : TSDIAppForm::tr("進行     分岐まで");
            }),
        R::Command("mnuIkki", TSDIAppForm::tr("分岐まで"))
            .In("mnuSinko", 1)
            .Runs([this, nav] { nav->SetProgressMode(EProgressMode::ToBranch); ShowProgressMode(); })
            .CheckedWhen([oneMove] { return !oneMove(); }),
        R::Command("mnu1", TSDIAppForm::tr("１手づつ"))
            .In("mnuSinko", 2)
            .Runs([this, nav] { nav->SetProgressMode(EProgressMode::OneMove); ShowProgressMode(); })
            .CheckedWhen(oneMove),
        R::Command("mnuSiroSen", TSDIAppForm::tr("白先"), TSDIAppForm::tr("第１手を白石表示します"))
            .In("mnuSetting", place::kWhiteFirst)
            .Runs([this, nav] {
                nav->ToggleWhiteFirst();
                w_.UpdateActions();
            })
            .CheckedWhen([nav] { return nav->WhiteFirst(); }),
    };
}

void TModeCommands::ShowInputMode() {
    inputModeShown_ = true;
    w_.UpdateActions();
}

void TModeCommands::ShowProgressMode() {
    progressModeShown_ = true;
    w_.UpdateActions();
}

void TModeCommands::ShowLabelMode() {
    labelModeShown_ = true;
    w_.UpdateActions();
}

}  // namespace vxlo
