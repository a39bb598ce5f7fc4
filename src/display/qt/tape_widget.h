// tTapeWidget, the visible tape: the endless strip of item images moving sideways one pixel per
// timer step, painted through one off-screen image, with the end logos, the close and options
// buttons, pausing under the mouse, dragging, the wheel, clicks, the hover underline and the item
// hints. The items and settings are the model's (tTickerTape); the pictures come from a
// tItemRenderer. The widget is the model's skin selector and view, so the main window hands it to
// the model as those two hooks.
#pragma once

#include <QImage>
#include <QMenu>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "display/qt/item_renderer.h"
#include "display/qt/skin.h"
#include "display/qt/speed_control.h"
#include "display/tape_strip.h"
#include "tape/tape_hooks.h"
#include "tape/ticker_item.h"

class QLabel;
class QTimer;

namespace vc {

class tTickerTape;

// A press held at least this long is no click.
inline constexpr int kClickMs = 150;
// One wheel notch moves the strip this many pixels, one pixel at a time.
inline constexpr int kWheelSteps = 40;
inline constexpr int kHintShowMs = 4000;
// A hint for a tape in the lower half of the screen opens this far above the tape.
inline constexpr int kHintAboveTape = 195;
// A tape docked at the bottom opens its menu this far above the screen's bottom edge.
inline constexpr int kPopupAboveBottom = 60;
inline constexpr int kTapeButtonSize = 15;
inline constexpr const char* kEmptyTapeText = "Please add SYMBOLS...";

class tTapeWidget : public QWidget, public tSkinSelector, public tTapeView {
public:
    // renderer must outlive the widget. Skins are looked up below programDir.
    tTapeWidget(tItemRenderer& renderer, std::filesystem::path programDir, QWidget* parent = nullptr);
    ~tTapeWidget() override;

    // The model whose items are shown; it must outlive the widget or be detached with nullptr.
    void SetTape(tTickerTape* tape);
    tTickerTape* Tape() const { return tape_; }

    // ---- Hooks of the model ---------------------------------------------------------------------
    // Loads a fresh skin, drops every item's pictures so they are drawn in it, takes its height.
    int SelectSkin(const std::string& skinName) override;
    void Repaint() override;
    void ShowButtons(bool visible) override;

    // The current skin; the item renderer draws with it.
    const tSkin& Skin() const { return *skin_; }

    // ---- Scrolling ------------------------------------------------------------------------------
    // One tick of the fast timer: a pixel in the tape's Direction, or only a repaint for any other
    // Direction; nothing while paused or before the first paint.
    void TimerStep();
    // Moves the strip n pixels (positive: to the right).
    void Scroll(int n);
    // A wheel turn: 40 single-pixel steps against the sign of delta, the events of the program
    // handled between the steps; toward the user (negative) turns right-to-left scrolling into
    // left-to-right, away from the user sets right-to-left.
    void WheelScroll(int delta);
    // The alerted item near the tape's left end: its predecessor first, 100 pixels out of view.
    void BringIntoView(const tTickerItem& item);
    // Whether the tape holds still: under the mouse, during a press, or while the model changes
    // its item list.
    bool Paused() const;

    // ---- Hit tests (widget coordinates) ---------------------------------------------------------
    // The item whose whole cell holds the point.
    tTickerItem* ItemAt(int x, int y) const;
    // The item whose clickable area holds the point.
    tTickerItem* ItemAtLink(int x, int y) const;
    bool OnEndLogos(int x, int y) const;
    // The item drawn underlined because the mouse is over its name.
    const tTickerItem* HotItem() const { return Item(hotId_); }

    // ---- Buttons and menu -----------------------------------------------------------------------
    tSpeedControl& CloseButton() { return *closeButton_; }
    tSpeedControl& OptionsButton() { return *optionsButton_; }
    // The right-click menu; not owned. Without one a right click does nothing more.
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }

    // ---- Events ---------------------------------------------------------------------------------
    // A click on an item's name, on the end logos or on an empty tape (no item then).
    std::function<void(tTickerItem*)> OnItemClick;
    std::function<void(tTickerItem&)> OnItemDblClick;
    // Raised first by every mouse handler, the wheel and the hint: the user is here.
    std::function<void()> OnActivity;
    std::function<void()> OnClose;
    std::function<void()> OnOptions;

    // ---- Seams ----------------------------------------------------------------------------------
    // Whether one of the program's windows is in front; the hover and hints wait for it. By
    // default the application is active.
    std::function<bool()> IsForeground;
    // Shows the right-click menu at a screen point; by default QMenu::popup.
    std::function<void(QMenu&, QPoint)> ShowPopup;
    // Delay before a hint appears; 0 shows it at once.
    void SetHintPause(int milliseconds) { hintPauseMs_ = milliseconds; }
    // The hint window (a tool-tip window of our own) and its text and colour.
    const QLabel& HintWindow() const { return *hint_; }
    bool HintShown() const;
    // The off-screen picture the last paint copied to the screen.
    const QImage& Buffer() const { return buffer_; }
    // Paints the off-screen picture as the next paint would, without copying it to the screen.
    const QImage& RenderBuffer();

    // Writes the skin's "Preview.BMP" from the items when the skin has none; false when nothing
    // was written (present, no items, no skin folder, or the write failed).
    bool WritePreview();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int ItemCount() const;
    // The live item with that Id; none once the model removed it.
    tTickerItem* Item(tItemId id) const;
    tTickerItem* Head() const;
    // The model's items as a strip; with draw, measuring an item draws its picture first, which
    // painting and scrolling need and hit tests must not do.
    tTapeStrip Strip(bool draw) const;
    // The head as the strip knows it; the first item when there is no head.
    tStripPos HeadPos() const;
    void PaintBuffer();
    void PrepareLogos();
    void Activity() const;
    bool Foreground() const;
    void ClearHotItem(bool repaint);
    // item (may be none) gives the colour: light red when its price is down, light green when up.
    void ShowHint(const QString& text, QPoint globalCursor, tItemId item);
    void PopHint(const QString& text, QPoint globalCursor, tItemId item);
    void CancelHint();
    void PlaceButtons();
    std::int64_t NowMs() const;

    tItemRenderer& renderer_;
    std::filesystem::path programDir_;
    tTickerTape* tape_ = nullptr;
    std::unique_ptr<tSkin> skin_;
    // The end logos with their transparent colours taken out, made once per skin.
    QImage logoLeft_;
    QImage logoRight_;
    QImage buffer_;

    tSpeedControl* closeButton_;
    tSpeedControl* optionsButton_;
    QPointer<QMenu> popupMenu_;

    // The tape's own hold: under the mouse and during a press. The model's Paused flag is its own
    // hold while it changes the list, and clearing that must not start a tape under the mouse.
    bool paused_ = false;
    bool pressed_ = false;
    QPoint pressPos_;
    QPoint lastDragPos_;
    std::int64_t pressTime_ = 0;
    // Items are held by Id: the model may remove one while we hold it, and a new item can be
    // given the freed address.
    tItemId pressId_ = kNoItemId;
    tItemId hotId_ = kNoItemId;

    // Wheel steps still to run; a turn that arrives while steps run adds to them.
    int wheelSteps_ = 0;
    bool wheeling_ = false;

    QLabel* hint_;
    QTimer* hintHide_;
    QTimer* hintPause_;
    QString hintText_;
    QString pendingHint_;
    QPoint pendingHintPos_;
    tItemId pendingHintItem_ = kNoItemId;
    int hintPauseMs_ = 500;
};

} // namespace vc
