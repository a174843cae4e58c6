#include "gui/mainwindow/LabelCommands.h"

#include <QAction>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QToolTip>

#include "dictionary/Fjsk.h"
#include "gui/board/BoardWidget.h"
#include "gui/dialogs/LabelNamesDialog.h"
#include "gui/mainwindow/LinesPanel.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/WindowParts.h"

namespace vxlo {

TLabelCommands::TLabelCommands(TSDIAppForm& form) : TWindowPart(form), form_(form) {
    setObjectName("LabelCommands");

    legend_ = new QLabel;
    legend_->setObjectName("lblLabelLegend");
    legend_->setWordWrap(true);
    legend_->setTextFormat(Qt::RichText);
    legend_->installEventFilter(this);
    // Once the settings are read: the window's first showing.
    form.installEventFilter(this);
    if (TLinesPanel* lines = form.LinesPanel()) lines->SetHeader(legend_);
    // The board area comes later; its tool tips reach the client it lies in.
    if (auto* client = form.findChild<QWidget*>("Client")) client->installEventFilter(this);
}

std::vector<TActionRow> TLabelCommands::Actions() {
    return {TActionRow::Command("mnuLabelNames", tr("ラベルの色の名前..."), tr("ラベルの五つの色それぞれの意味を名付ける"))
                .In("mnuBoard", 65)
                .Runs([this] { EditNames(); }, EDuringPractice::Goes)};
}

TLabelNames TLabelCommands::Names() const {
    if (form_.SettingsPath().empty()) return {};  // before the settings are read
    return ReadLabelNames(TIniFile(form_.SettingsPath()));
}

TLabelNamesDialog& TLabelCommands::Dialog() {
    if (!dialog_) dialog_ = new TLabelNamesDialog(&form_);
    return *dialog_;
}

void TLabelCommands::EditNames() {
    RunGuarded(form_.Messages(), [this] {
        Dialog().Load(Names());
        if (Dialog().exec() != QDialog::Accepted) return;
        TIniFile ini(form_.SettingsPath());
        WriteLabelNames(ini, Dialog().Names());
    });
    RefreshLegend();
}

void TLabelCommands::RefreshLegend() {
    const TLabelNames names = Names();
    const QString board = ColorFromBgr(form_.Renderer().BanColor()).name();
    QString html;
    for (int c = 0; c < kLabelNameCount; ++c) {
        // The colour as it stands on the board, then its name.
        html += QStringLiteral("<span style=\"background-color:%1;color:%2\">&nbsp;■&nbsp;</span>&nbsp;%3 ")
                    .arg(board, ColorFromBgr(CandidateLabelColor(c)).name(), ToQt(names.Name(c)).toHtmlEscaped());
        if (c + 1 < kLabelNameCount) html += QStringLiteral("&nbsp; ");
    }
    legend_->setText(html);
    legend_->setToolTip(tr("候補の色の意味（碁盤 → ラベルの色の名前 で変えられます）"));
}

QString TLabelCommands::ToolTipAt(int clientX, int clientY) const {
    TNavigation& nav = form_.Navigation();
    if (!nav.FileOpen() || form_.Practice() || nav.LabelMode() == ELabelMode::Hidden) return {};
    const TPoint cell = form_.Renderer().HitTest(clientX, clientY);
    if (cell.x < 1 || cell.x > kBoardSize || cell.y < 1 || cell.y > kBoardSize) return {};
    const TPoint point = nav.Board().DisplayToBoard(cell.x, cell.y);
    const TLjsk& dictionary = nav.Dictionary();
    const int count = std::min(dictionary.Count(), kLabelCount);
    for (int i = 0; i < count; ++i) {
        const TJskRecord record = dictionary.GetRecord(i);
        if (TPoint{record.X, record.Y} != point) continue;
        QString tip = tr("%1  %2  %3").arg(form_.Parts().lines->PointName(point), ToQt(CandidateLabel(i)),
                                           ToQt(Names().Name(record.Color)));
        for (const auto& [move, games] : form_.Parts().evidence->CandidateGames())
            if (move == point) tip += tr("  %1局").arg(games);
        return tip;
    }
    return {};
}

bool TLabelCommands::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == legend_ || watched == &form_) && event->type() == QEvent::Show) RefreshLegend();
    if (event->type() == QEvent::ToolTip && watched != legend_ && watched != &form_) {
        auto* client = static_cast<QWidget*>(watched);
        const auto* help = static_cast<QHelpEvent*>(event);
        if (client->childAt(help->pos()) == &form_.BoardArea()) {
            const QString tip = ToolTipAt(help->pos().x(), help->pos().y());
            if (tip.isEmpty()) {
                QToolTip::hideText();
            } else {
                QToolTip::showText(help->globalPos(), tip, client);
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vxlo
