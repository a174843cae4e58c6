#pragma once
// TJskForm: the window "データ表示", an editable grid of the raw records of
// the current candidate list, written back by "保存". It works only through
// the dictionary access object; the candidate list is its model.
#include <QDialog>
#include <QSize>
#include <functional>
#include <string>

#include "core/CheckedArray.h"
#include "dictionary/Fjsk.h"
#include "navigation/Navigation.h"

class QAction;
class QProxyStyle;
class QTableWidget;

namespace vxlo {

class IUserMessages;

class TJskForm final : public QDialog {
    Q_OBJECT
public:
    // FormCreate: headings, row labels, position from section GridForm.
    TJskForm(TNavigation& navigation, IUserMessages& messages, std::string settingsPath,
             QWidget* parent = nullptr);
    ~TJskForm() override;

    // Cell (column, row) as the user sees it: row 0 the headings, column 0
    // the labels, row r >= 1 slot r - 1 of the candidate list.
    QString Cell(int column, int row) const;
    void SetCell(int column, int row, const QString& text);
    int RowCount() const;  // heading row included
    QTableWidget* GridJsk() const { return grid_; }
    // The window's client area below its menu: the grid.
    QSize ClientSize() const;

    void FormShow();   // size to the number of candidates
    void FormPaint();  // refill from the candidate list
    // Copies the grid into the list and writes it (EConvertError, ERangeError,
    // file errors); a failed copy leaves the list as it was.
    void mnuSaveClick();
    void mnuCloseClick();
    // Goes to the record that the selected row's Next (or More) names, as
    // written in the file, and shows the list found there.
    void mnuGoNextClick();
    void mnuGoMoreClick();
    // The main window's way of going to a record.
    void SetGoToHandler(std::function<void(int)> handler) { goTo_ = std::move(handler); }

    static constexpr int kGridWidth = 289;
    static constexpr int kRowPitch = 17;   // row height 16 and its grid line
    static constexpr int kVisibleRows = 10;
    static constexpr int kScrollBarWidth = 10;

    void done(int result) override;  // FormClose on every way of closing

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CommitEditor();
    void GoToLink(bool more);
    int CellValue(int column, int row, bool byteField) const;
    // Refuses the point of row when no move can have it, naming its cell.
    static void RefuseOffBoard(TPoint p, int row);
    // Marks and labels of the main window follow the records now in the file.
    void ReloadCandidates(const TCheckedArray<TJskRecord, 0, kCandidateSlots - 1>& before,
                          int count);

    TNavigation& navigation_;
    IUserMessages& messages_;
    std::string settingsPath_;
    QTableWidget* grid_ = nullptr;
    QProxyStyle* scrollBarStyle_ = nullptr;
    QAction* mnuSave_ = nullptr;
    QAction* mnuClose_ = nullptr;
    QAction* mnuGoNext_ = nullptr;
    QAction* mnuGoMore_ = nullptr;
    std::function<void(int)> goTo_;
    int labelledRows_ = 0;  // rows 1..labelledRows_ carry a label
};

}  // namespace vxlo
