#pragma once
// The speed bar of the main window: one section per top-level menu group, one button per menu
// entry, laid out freely on a 65-pixel grid and kept per user in a small INI file.
#include <QHash>
#include <QIcon>
#include <QList>
#include <QMenu>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QToolBar>
#include <QToolButton>

#include <functional>
#include <optional>

class QAction;
class QMainWindow;


// ---------------------------------------------------------------- what the menus give

struct SpeedBarButtonDef {
    QString name;     // menu item name + "_SP"
    QString section;  // caption of the top-level item without "&"
    QString caption;  // menu caption without "&"
    QString text;     // the menu item's hint
    QIcon icon;
    int tag = 0;      // Tag of the second-level item
    QPointer<QAction> action;
};

struct SpeedBarSectionDef {
    QString name;
    QList<SpeedBarButtonDef> buttons;
};

// The sections and buttons the top-level menu items yield, in menu order. Hidden items,
// separators, Tag -1 items and top-level items whose caption has "Raporlar" give nothing.
QList<SpeedBarSectionDef> SpeedBarSections(const QList<QAction*>& topLevel);
// One button of a menu item.
SpeedBarButtonDef SpeedBarButtonFor(QAction* item, const QString& section, int tag);

// ---------------------------------------------------------------- the saved layout

enum class SpeedBarPosition { Right, Top };

struct SpeedBarButtonLayout {
    QString name;
    QString section;
    bool visible = false;
    QPoint pos;
};

struct SpeedBarLayout {
    SpeedBarPosition position = SpeedBarPosition::Right;
    QList<SpeedBarButtonLayout> buttons; // in bar order
    const SpeedBarButtonLayout* find(const QString& name) const;
};

inline constexpr int kSpeedButtonSize = 65;
inline constexpr int kSpeedBarThickness = 73;

// Right-hand bar, the four help buttons stacked at left 2 from top 4; everything else hidden.
SpeedBarLayout DefaultSpeedBarLayout();
// nullopt when the file is missing or holds no readable button.
std::optional<SpeedBarLayout> LoadSpeedBarLayout(const QString& path);
// Writes the whole file anew; false when it could not be written.
bool SaveSpeedBarLayout(const QString& path, const SpeedBarLayout& layout);

// Where the grid of a bar in this position starts (the cell of the first button).
QPoint SpeedBarGridOrigin(SpeedBarPosition position);
// The grid cell nearest to a button's top-left corner.
QPoint SnapToSpeedBarGrid(QPoint topLeft, SpeedBarPosition position);

// ---------------------------------------------------------------- widgets

class TSpeedBar;

// A button of the bar: a click runs its menu item; dragging it moves it within the bar.
class TSpeedItem : public QToolButton {
    Q_OBJECT
public:
    TSpeedItem(const SpeedBarButtonDef& def, QWidget* parent);

    QString Caption;
    QString Section;
    int Tag = 0;
    QPointer<QAction> Action;

    bool shownOnBar() const { return !isHidden(); }

signals:
    // The user dropped the button; topLeft is where it would stand, in the bar's coordinates.
    void dropped(TSpeedItem* item, QPoint topLeft);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QPoint m_pressPos;
    QPoint m_startPos;
    bool m_pressed = false;
    bool m_dragging = false;
};

// The area the buttons stand on.
class TSpeedBarCanvas : public QWidget {
    Q_OBJECT
public:
    explicit TSpeedBarCanvas(TSpeedBar* bar);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    TSpeedBar* m_bar;
};

class TSpeedBar : public QToolBar {
    Q_OBJECT
public:
    explicit TSpeedBar(QMainWindow* parent);

    // Deletes every section and button and builds them from the menus, then restores the layout
    // from iniFile, or builds and saves the default one when it does not exist.
    void build(const QList<QAction*>& topLevel, const QString& iniFile);
    bool building() const { return m_building; }
    const QString& iniFile() const { return m_iniFile; }

    // Changes made by the user are saved only while this says so (after the first activation).
    void setAutoSaveAllowed(std::function<bool()> allowed) { m_autoSaveAllowed = std::move(allowed); }
    // The menu of a right click on the bar.
    void setPopupMenu(QMenu* menu) { m_popup = menu; }

    QStringList sectionNames() const { return m_sectionNames; }
    QList<TSpeedItem*> items() const { return m_items; }
    QList<TSpeedItem*> sectionItems(const QString& section) const;
    TSpeedItem* item(const QString& name) const;
    // Shown buttons in reading order along the bar.
    QList<TSpeedItem*> shownItems() const;

    SpeedBarPosition position() const { return m_position; }
    SpeedBarLayout currentLayout() const;
    bool saveLayout() const;

    // As the user does them; each is followed by a save when allowed.
    void moveItem(TSpeedItem* item, QPoint topLeft);
    void setPositionByUser(SpeedBarPosition position);
    void setShown(const QHash<QString, bool>& shown);
    // The customising dialog; saves after it was accepted.
    void customize();

    QWidget* canvas() const { return m_canvas; }

signals:
    void customizeRequested();

private:
    friend class TSpeedBarCanvas;
    void clearItems();
    void applyLayout(const SpeedBarLayout& layout);
    void applyPosition(SpeedBarPosition position);
    void orientationChangedByLayout(Qt::Orientation orientation);
    QPoint firstFreeCell(const TSpeedItem* except) const;
    TSpeedItem* itemAt(QPoint topLeft, const TSpeedItem* except) const;
    void changedByUser();
    void updateCanvas();

    QMainWindow* m_window;
    TSpeedBarCanvas* m_canvas;
    QPointer<QMenu> m_popup;
    QList<TSpeedItem*> m_items;
    QStringList m_sectionNames;
    QString m_iniFile;
    std::function<bool()> m_autoSaveAllowed;
    SpeedBarPosition m_position = SpeedBarPosition::Right;
    bool m_building = false;
    bool m_applyingPosition = false;
};
