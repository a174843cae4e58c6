#pragma once
// TBanIsiColor: the board and stone colour dialog. Created once at start-up
// and reused; its buttons keep their state between showings, since only the
// creation preselects them. OK applies and stores the choice; the close box
// applies nothing.
#include <QDialog>
#include <QWidget>
#include <array>
#include <cstdint>
#include <string>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace vxlo { class IUserMessages; }

namespace vxlo {

struct TBoardColors {
    std::uint32_t ban = 0x008080;   // 0x00BBGGRR
    std::uint32_t kuro = 0x000000;
    std::uint32_t siro = 0xFFFFFF;
};

// The holder of the three colours (the main window): applying repaints.
class IBoardColors {
public:
    virtual ~IBoardColors() = default;
    virtual TBoardColors Colors() const = 0;
    virtual void ApplyColors(const TBoardColors& colors) = 0;
};

// A filled rectangle or circle with a black outline (the swatches).
class TShape : public QWidget {
    Q_OBJECT
public:
    enum class EKind { Rectangle, Circle };
    TShape(EKind kind, std::uint32_t color, QWidget* parent);
    std::uint32_t Color() const { return color_; }
signals:
    void mousePressed();
protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
private:
    EKind kind_;
    std::uint32_t color_;
};

class TBanIsiColor : public QDialog {
    Q_OBJECT
public:
    // settingsPath: the VXLO.INI the choice is written to; a failed write is
    // shown through messages and leaves the dialog open.
    TBanIsiColor(IBoardColors& target, IUserMessages& messages, std::string settingsPath,
                 QWidget* parent = nullptr);

    static constexpr std::array<std::uint32_t, 4> kBanColors = {32896, 33023, 49601, 10079487};
    static constexpr TBoardColors kIsi1 = {0, 0, 16777215};
    static constexpr TBoardColors kIsi2 = {0, 32768, 65280};

    void btnOKClick();

private:
    void FormCreate();
    void shpBanMouseDown(int row);

    IBoardColors& target_;
    IUserMessages& messages_;
    std::string settingsPath_;
    QGroupBox* gbBan_;
    QGroupBox* gbIsi_;
    std::array<QRadioButton*, 4> rbBan_{};
    std::array<TShape*, 4> shpBan_{};
    QRadioButton* rbIsi1_;
    QRadioButton* rbIsi2_;
    QPushButton* btnOK_;
};

}  // namespace vxlo
