// The main menu of the main window, built from one table.
#include "shell/AnaFormU.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QTreeWidget>

namespace {

using Handler = void (TAnaF::*)();

enum Kind { Item, Group, Separator };

struct MenuRow {
    int level; // 0 top-level, 1 entry of a group, 2 entry of a sub-group
    Kind kind;
    const char* name;
    const char* caption; // nullptr: the maker's web address
    int tag;
    const char* hint;
    Handler handler; // nullptr: the screen comes later
};

// Tag 2: group shown in the navigation tree; 65: sub-group of the menu panel's right-hand
// column; -1: kept off the speed bar and the menu panel. Hints are the speed-bar button texts.
const MenuRow kMenu[] = {
    {0, Group, "Kayt1", "Kişi", 2, "", nullptr},
    {1, Item, "KisiKayit1", "Kişi Kart Kaydı", 0, "Kişi Kayıt", &TAnaF::KisiKayit1Click},
    {1, Item, "KisiKartArama1", "Kişi Kartı Arama", 0, "Kişi Arama", &TAnaF::KisiKartArama1Click},
    {1, Separator, nullptr, nullptr, 0, nullptr, nullptr},
    {1, Group, "Raporlar2", "Raporlar", 65, "", nullptr},
    {2, Item, "AltKusak", "Alt Kuşak Soy Ağacı", 0, "Alt Kuşak", nullptr},
    {2, Item, "UstKusak", "Üst Kuşak Soy Ağacı", 0, "Üst Kuşak", nullptr},
    {2, Item, "EtennenAltKuakSoyAac1", "Eş'e Göre Alt Kuşak Soy Ağacı", 0, "Eş'e G.Alt.K.", nullptr},
    {2, Item, "Ebeveyn", "4 Kuşak Ebeveyn", 0, "4 K.Ebeveyn", nullptr},
    {2, Item, "Kuzen", "Kuzen Kuşağı", 0, "Kzn. Kuşak", nullptr},
    {2, Item, "Derece1", "1. Derece Akrabalık (Aile) Listesi", 0, "1.Derece Akr.", nullptr},
    {2, Item, "Derece2", "2. Derece Akrabalık Listesi", 0, "2.Derece Akr.", nullptr},

    {0, Group, "ifreAyarlar1", "Yetkili K&işi", 2, "", nullptr},
    {1, Item, "OturumuKapat", "Oturumu Kapat", -1, "Otrm. Kapat", &TAnaF::Logout},
    {1, Separator, nullptr, nullptr, 0, nullptr, nullptr},
    {1, Item, "AraubuunuDzenle1", "Araç Çubuğunu Düzenle", 0, "Arç.Çb.Dz.", &TAnaF::AraubuunuDzenle1Click},
    {1, Item, "AraubuunuSfrla1", "Araç Çubuğunu Sıfırla", 0, "Ar.Çb.Sf.", &TAnaF::AraubuunuSfrla1Click},
    {1, Separator, nullptr, nullptr, 0, nullptr, nullptr},
    {1, Item, "KullaniciKayt1", "&Kullanıcı Kayıt", 0, "Kull. Kayıt", nullptr},
    {1, Group, "Ayarlar1", "Ayarlar", 65, "", nullptr},
    {2, Item, "KullancyazelAyarlar1", "Kullanıcıya Özel Ayarlar", 0, "Özel Ayarlar", nullptr},
    {2, Item, "GenelAyarlar1", "Genel Ayarlar", 0, "Gen. Ayar", &TAnaF::GenelAyarlar1Click},
    {2, Item, "ifreAyarlar2", "Şifre Değiştirme", 0, "Sif. Değ.", nullptr},
    {1, Group, "Yedek2", "Yedekleme", 65, "", nullptr},
    {2, Item, "Yedekleme1", "Yedekleme", 0, "Yedeklm.", nullptr},
    {2, Item, "GeriYukle", "Geri Yükleme", 0, "Geri Yukle", nullptr},

    {0, Group, "MenuAraclar", "&Araçlar", 0, "", nullptr},
    {1, Item, "AralarMensnDzenle1", "Araçlar Menüsünü &Düzenle", 0, "Ar.Mn.Dz.", nullptr},

    {0, Group, "Notlar1", "Notlar", 2, "", nullptr},
    {1, Item, "YeniNotEkle1", "Yeni Not Ekle", 0, "Yeni Not", nullptr},
    {1, Item, "NotlarGster1", "Notları Göster", 0, "Not Göster", nullptr},
    {1, Item, "NotlarGizle1", "Notları Gizle", 0, "Not Gizle", nullptr},

    {0, Group, "Yardm1", "&Yardım", 2, "", nullptr},
    {1, Item, "Yardim1", "Tavrion Yardım", 0, "Yardım", &TAnaF::Yardim1Click},
    {1, Item, "Irtibat1", "Irtibat", 0, "", &TAnaF::Irtibat1Click},
    {1, Item, "Hakkinda1", "&Hakkında", 0, "Hakkında", &TAnaF::Hakkinda1Click},
    {1, Item, "WebSite1", nullptr, 0, "WWW", &TAnaF::WebSite1Click},
    {1, Item, "ProgramSrmnKontrolEt1", "Program Sürümünü Kontrol Et", 0, "Sürüm Knt.", nullptr},
    {1, Separator, nullptr, nullptr, 0, nullptr, nullptr},
    {1, Item, "Kapat1", "Kapat", 0, "Kapat", &TAnaF::Kapat1Click},
};

// Pictures of the entries; the speed bar and the menu panel show them too.
const std::pair<const char*, QStyle::StandardPixmap> kIcons[] = {
    {"KisiKayit1", QStyle::SP_FileIcon},
    {"KisiKartArama1", QStyle::SP_FileDialogContentsView},
    {"AltKusak", QStyle::SP_ArrowDown},
    {"UstKusak", QStyle::SP_ArrowUp},
    {"EtennenAltKuakSoyAac1", QStyle::SP_ArrowRight},
    {"Ebeveyn", QStyle::SP_FileDialogListView},
    {"Kuzen", QStyle::SP_FileDialogDetailedView},
    {"Derece1", QStyle::SP_DirOpenIcon},
    {"Derece2", QStyle::SP_DirClosedIcon},
    {"OturumuKapat", QStyle::SP_DialogCloseButton},
    {"AraubuunuDzenle1", QStyle::SP_FileDialogDetailedView},
    {"AraubuunuSfrla1", QStyle::SP_BrowserReload},
    {"KullaniciKayt1", QStyle::SP_DirHomeIcon},
    {"KullancyazelAyarlar1", QStyle::SP_DesktopIcon},
    {"GenelAyarlar1", QStyle::SP_ComputerIcon},
    {"ifreAyarlar2", QStyle::SP_DialogApplyButton},
    {"Yedekleme1", QStyle::SP_DriveHDIcon},
    {"GeriYukle", QStyle::SP_DialogResetButton},
    {"AralarMensnDzenle1", QStyle::SP_FileDialogNewFolder},
    {"YeniNotEkle1", QStyle::SP_FileDialogNewFolder},
    {"NotlarGster1", QStyle::SP_DialogYesButton},
    {"NotlarGizle1", QStyle::SP_DialogNoButton},
    {"Yardim1", QStyle::SP_DialogHelpButton},
    {"Irtibat1", QStyle::SP_MessageBoxQuestion},
    {"Hakkinda1", QStyle::SP_MessageBoxInformation},
    {"ProgramSrmnKontrolEt1", QStyle::SP_BrowserReload},
    {"Kapat1", QStyle::SP_DialogCancelButton},
};

void describe(QAction* action, const MenuRow& row)
{
    const QString name = QString::fromUtf8(row.name);
    const QString hint = QString::fromUtf8(row.hint);
    action->setObjectName(name);
    action->setProperty("Tag", row.tag);
    action->setProperty("Hint", hint);
    if (!hint.isEmpty()) {
        action->setToolTip(hint);
        action->setStatusTip(hint);
    }
}

} // namespace

QString StripAmpersand(const QString& caption)
{
    QString s = caption;
    const int i = s.indexOf(QLatin1Char('&'));
    if (i >= 0)
        s.remove(i, 1);
    return s;
}

void TAnaF::buildMainMenu()
{
    // The menu that receives the next row at each level.
    QMenu* parents[3] = {nullptr, nullptr, nullptr};
    for (const MenuRow& row : kMenu) {
        QMenu* parent = row.level > 0 ? parents[row.level - 1] : nullptr;
        if (row.kind == Separator) {
            parent->addSeparator();
            continue;
        }
        const QString caption = row.caption ? QString::fromUtf8(row.caption) : kMakerWebAddress;
        QAction* action = nullptr;
        if (row.kind == Group) {
            QMenu* menu = parent ? parent->addMenu(caption) : MainMenu1->addMenu(caption);
            menu->setObjectName(QString::fromUtf8(row.name));
            menu->setToolTipsVisible(true);
            parents[row.level] = menu;
            m_groups.insert(menu->objectName(), menu);
            action = menu->menuAction();
        } else {
            action = parent->addAction(caption);
            if (row.handler) {
                const Handler handler = row.handler;
                connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
            }
        }
        describe(action, row);
        m_items.insert(action->objectName(), action);
    }
    m_items.value(QStringLiteral("Kapat1"))->setShortcut(QKeySequence(Qt::Key_Escape));
    for (const auto& [name, pixmap] : kIcons)
        if (QAction* a = m_items.value(QString::fromLatin1(name)))
            a->setIcon(style()->standardIcon(pixmap));
    // The style's network picture exists only small; the bar shows 32-pixel pictures.
    m_items.value(QStringLiteral("WebSite1"))->setIcon(QIcon(WebIconPixmap(32)));
}

QAction* TAnaF::menuItem(const QString& name) const { return m_items.value(name); }

QMenu* TAnaF::menuGroup(const QString& name) const { return m_groups.value(name); }

void TAnaF::setAdminItemsVisible(bool visible)
{
    for (const QString& name : kAdminOnlyItems)
        if (QAction* a = menuItem(name))
            a->setVisible(visible);
    // The panel must not keep showing what was just hidden.
    if (QTreeWidgetItem* current = TreeView1->currentItem())
        showMenuGroup(current->text(0));
}
