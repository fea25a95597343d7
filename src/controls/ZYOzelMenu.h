#pragma once
// The main window's menu panel: the entries of one main-menu group shown as clickable labels in
// two columns (plain entries on the left, report sub-groups on the right), steered from the
// keyboard through a hidden edit.
#include <QAction>
#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QScrollArea>

#include <functional>

class QMenuBar;
class TZYOzelMenu;

class TZYOzelLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QPixmap Glpyh READ Glpyh WRITE setGlpyh)
    Q_PROPERTY(bool TransParent READ TransParent WRITE setTransParent)
    Q_PROPERTY(int Tag READ Tag WRITE setTag)
public:
    explicit TZYOzelLabel(QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; update(); }
    QPixmap Glpyh() const { return m_glyph; }
    void setGlpyh(const QPixmap& glyph) { m_glyph = glyph; update(); }
    bool TransParent() const { return m_transparent; }
    void setTransParent(bool on);
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor& c) { m_fontColor = c; update(); }
    // Its running number in the panel, from 1.
    int Tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    // The menu entry this label stands for.
    QAction* menuAction() const { return m_action; }
    void setMenuAction(QAction* action) { m_action = action; }

    // The menu entry's handler.
    std::function<void(TZYOzelLabel*)> OnClick;

    // OnLabelClick, then OnClick.
    void click();

signals:
    void OnMouseEnter(TZYOzelLabel* label);
    void OnMouseLeave(TZYOzelLabel* label);
    void OnMouseDown(TZYOzelLabel* label, Qt::MouseButton button);
    void OnMouseUp(TZYOzelLabel* label, Qt::MouseButton button);
    void OnLabelClick(TZYOzelLabel* label);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    friend class TZYOzelMenu;
    QPointer<TZYOzelMenu> m_menu;
    QString m_caption;
    QPixmap m_glyph;
    bool m_transparent = true;
    QColor m_fontColor = Qt::black;
    QPointer<QAction> m_action;
    bool m_down = false;
    int m_tag = 0;
};

// The edit that takes the keys for the panel; it sits outside the visible area.
class TZYOzelEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TZYOzelEdit(QWidget* parent = nullptr);
    TZYOzelMenu* ZYOzelMenu() const { return m_menu; }
    void setZYOzelMenu(TZYOzelMenu* menu);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QPointer<TZYOzelMenu> m_menu;
};

class TZYOzelMenu : public QScrollArea {
    Q_OBJECT
    Q_PROPERTY(int DikeyAralik MEMBER DikeyAralik)
    Q_PROPERTY(int LabelTop MEMBER LabelTop)
    Q_PROPERTY(int MenuLeft MEMBER MenuLeft)
    Q_PROPERTY(int RaporLeft MEMBER RaporLeft)
    Q_PROPERTY(int RaporTag MEMBER RaporTag)
    Q_PROPERTY(bool OSVista MEMBER OSVista)
    Q_PROPERTY(QString About READ About WRITE setAbout)
public:
    explicit TZYOzelMenu(QWidget* parent = nullptr);
    ~TZYOzelMenu() override;

    int DikeyAralik = 33;
    int LabelTop = 10;
    int MenuLeft = 10;
    int RaporLeft = 300;
    int RaporTag = 65;
    QFont MenuFont;
    QColor MenuFontColor = QColor(128, 0, 0);
    QFont RaporFont;
    QColor RaporFontColor = QColor(0, 0, 128);
    QFont SelectedFont;
    QColor SelectedFontColor = Qt::white;
    QColor SelectedColor = Qt::blue;
    bool OSVista = false;
    // Size the entries' icons are drawn at.
    QSize IconSize = QSize(16, 16);

    QString About() const { return QStringLiteral("s1.04"); }
    void setAbout(const QString&) {}

    TZYOzelEdit* ZYOzelEdit() const { return m_edit; }
    void setZYOzelEdit(TZYOzelEdit* edit);
    // Where labels go when MenuOlustur is given the panel itself.
    QWidget* content() const { return widget(); }

    // Clears the panel and creates one label per shown entry of `menuItem`. Icons are taken
    // only when a main menu is given.
    void MenuOlustur(QWidget* parent, QMenuBar* mainMenu, QAction* menuItem);
    // Removes the labels and resets the selection.
    void MenuTemizle();
    // One label owned by the panel, numbered after the ones it has.
    TZYOzelLabel* NewLabel(QWidget* parent = nullptr);

    // Labels in creation order (numbers 1..N).
    const QList<TZYOzelLabel*>& labels() const { return m_labels; }
    int leftCount() const { return m_leftCount; }
    int rightCount() const { return m_rightCount; }
    int selectedNumber() const { return m_selected; }
    TZYOzelLabel* selectedLabel() const { return m_selectedLabel; }
    bool selectionShown() const { return m_shown; }

    // Selects label number n (1-based); the old one is redrawn unselected.
    void selectNumber(int n);
    void showSelection(bool shown);
    // The label number a key leads to from the selected one; the same number when the key does
    // not move the selection.
    int numberAfterKey(int key, Qt::KeyboardModifiers modifiers) const;

signals:
    void OnLabelMouseEnter(TZYOzelLabel* label);
    void OnLabelMouseLeave(TZYOzelLabel* label);
    void OnLabelMouseDown(TZYOzelLabel* label, Qt::MouseButton button);
    void OnLabelMouseUp(TZYOzelLabel* label, Qt::MouseButton button);
    void OnLabelClick(TZYOzelLabel* label);

private:
    friend class TZYOzelLabel;
    friend class TZYOzelEdit;
    enum class Column { Left, Right };
    void addLabel(QWidget* parent, QMenuBar* mainMenu, QAction* entry, Column column);
    void labelPressed(TZYOzelLabel* label);
    void editFocused(Qt::FocusReason reason);
    bool handleKey(QKeyEvent* event);
    void updateContentSize();

    QPointer<TZYOzelEdit> m_edit;
    QList<TZYOzelLabel*> m_labels;
    int m_leftCount = 0;
    int m_rightCount = 0;
    int m_leftRow = 0;
    int m_rightRow = 0;
    int m_selected = 1;
    QPointer<TZYOzelLabel> m_selectedLabel;
    bool m_shown = false;
};
