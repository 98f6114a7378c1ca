#include "storage/ui/FormWardrobe.h"

#include "base/Settings.h"
#include "base/ui/MessageBox.h"
#include "desktop/ui/Skin.h"
#include "planner/ui/MainControls.h"
#include "storage/EightBitText.h"
#include "storage/Wardrobe.h"
#include "storage/WardrobeState.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <charconv>

namespace zv {
namespace {

constexpr int kWidthTwips = 3300;
constexpr int kHeightTwips = 4500;

// A window position in twips as the settings file keeps it: the shortest decimal text of the
// single-precision number, never in exponent form.
std::string TwipsText(int pixels) {
    const float twips = static_cast<float>(pixels) * kTwipsPerPixel;
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, twips, std::chars_format::fixed);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

std::optional<int> StoredPixels(const char* key) {
    const std::optional<double> twips = ParseNumber(ReadSetting(SettingsPath(), "Wardrobe", key));
    if (!twips)
        return std::nullopt;
    const double pixels = static_cast<double>(static_cast<float>(*twips)) / kTwipsPerPixel;
    if (!(pixels > -1e6 && pixels < 1e6))
        return std::nullopt;
    return static_cast<int>(std::lround(pixels));
}

QString ShownError(const std::string& error) {
    return QFile::decodeName(QByteArray::fromStdString(error));
}

// The platforms where a window cannot learn or choose its place on the screen.
bool PositionIsUnknown() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

bool IsOnSomeScreen(QPoint topLeft, QSize size) {
    const QRect window(topLeft, size);
    const QSize enough(std::min(size.width(), 48), std::min(size.height(), 24));
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shown = window.intersected(screen->availableGeometry());
        if (shown.width() >= enough.width() && shown.height() >= enough.height())
            return true;
    }
    return false;
}

QPoint DefaultWindowPosition(const QWidget* beside, QSize size) {
    QScreen* screen = beside ? beside->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    if (beside && beside->isVisible()) {
        const QRect frame = beside->frameGeometry();
        const QPoint right(frame.right() + 1 + 8, frame.top());
        if (area.contains(QRect(right, size)))
            return right;
    }
    return area.center() - QPoint(size.width() / 2, size.height() / 2);
}

FormWardrobe::FormWardrobe(MainControls& controls, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window)
    , c(controls)
    , m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("formWardrobe"));
    setWindowTitle(QStringLiteral("Wardrobe"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Px(kWidthTwips), Px(kHeightTwips));

    lstWardrobe = new QListWidget(this);
    lstWardrobe->setObjectName(QStringLiteral("lstWardrobe"));
    lstWardrobe->setGeometry(Px(120), Px(120), Px(kWidthTwips - 240), Px(kHeightTwips - 240));
    lstWardrobe->setSelectionMode(QAbstractItemView::SingleSelection);
    lstWardrobe2 = new QListWidget(this);
    lstWardrobe2->setObjectName(QStringLiteral("lstWardrobe2"));
    lstWardrobe2->hide();

    lstmnu = new QMenu(QStringLiteral("ListMenu"), this);
    lstmnu->setObjectName(QStringLiteral("lstmnu"));
    lstmnu->menuAction()->setObjectName(QStringLiteral("lstmnu"));
    removeitem = lstmnu->addAction(QStringLiteral("Remove Selected Item"));
    removeitem->setObjectName(QStringLiteral("removeitem"));

    connect(lstWardrobe, &QListWidget::itemDoubleClicked, this,
            &FormWardrobe::lstWardrobe_DblClick);
    connect(removeitem, &QAction::triggered, this, &FormWardrobe::removeitem_Click);
    lstWardrobe->viewport()->installEventFilter(this);
    lstWardrobe->installEventFilter(this);
}

FormWardrobe::~FormWardrobe() {
    if (!m_unloaded)
        WardrobeOpen = false;
}

void FormWardrobe::Form_Load() {
    // 1. The main window has already reported a broken skin; this window just goes without it.
    ApplySkin(this);
    MakeTopmost(this, -1);
    // 4. (before the window counts as open, so the gender's own reset does not reopen it)
    if (c.GenderBox->currentIndex() < 0)
        c.GenderBox->selectIndex(0);
    // 2.
    WardrobeOpen = true;
    // 3.
    placeWindow();
    // 5.
    WardrobeGender = static_cast<int16_t>(WardrobeGenderFor(c.GenderBox->currentIndex()));
    // 6.
    std::vector<WardrobeEntry> entries;
    std::string error;
    m_readFailed = !ReadWardrobe(WardrobeGender, entries, &error);
    showEntries(entries);
    if (m_readFailed) {
        ShowMessage(m_mainWindow, QString(),
                    QStringLiteral("The wardrobe cannot be shown.\n\n%1\n\nIts files are left as "
                                   "they are.")
                        .arg(ShownError(error)),
                    MessageIcon::Warning);
    }
}

void FormWardrobe::placeWindow() {
    const std::optional<int> top = StoredPixels("PosY");
    const std::optional<int> left = StoredPixels("PosX");
    const QSize size = frameGeometry().size();
    if (top && left && IsOnSomeScreen(QPoint(*left, *top), size))
        move(*left, *top);
    else
        move(DefaultWindowPosition(m_mainWindow, size));
}

void FormWardrobe::showEntries(const std::vector<WardrobeEntry>& entries) {
    lstWardrobe->clear();
    lstWardrobe2->clear();
    for (const WardrobeEntry& entry : entries) {
        lstWardrobe->addItem(FromEightBit(entry.Name));
        lstWardrobe2->addItem(FromEightBit(entry.KindText));
    }
}

std::vector<WardrobeEntry> FormWardrobe::listedEntries() const {
    std::vector<WardrobeEntry> entries;
    const int count = std::min(lstWardrobe->count(), lstWardrobe2->count());
    for (int i = 0; i < count; ++i) {
        // The lists hold what was read (or added) byte for byte: Latin-1 gives it back exactly.
        entries.push_back({lstWardrobe->item(i)->text().toLatin1().toStdString(),
                           lstWardrobe2->item(i)->text().toLatin1().toStdString()});
    }
    return entries;
}

bool FormWardrobe::write(const std::vector<WardrobeEntry>& entries) {
    if (m_readFailed)
        return false;
    std::string error;
    if (WriteWardrobe(WardrobeGender, entries, &error))
        return true;
    ShowMessage(m_mainWindow, QString(),
                QStringLiteral("The wardrobe could not be saved.\n\n%1\n\nIts files were left as "
                               "they were.")
                    .arg(ShownError(error)),
                MessageIcon::Warning);
    return false;
}

bool FormWardrobe::SaveWardrobe() {
    return write(listedEntries());
}

std::optional<QString> FormWardrobe::selectedName() const {
    const QList<QListWidgetItem*> selected = lstWardrobe->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return selected.front()->text();
}

void FormWardrobe::lstWardrobe_DblClick() {
    const QList<QListWidgetItem*> selected = lstWardrobe->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = lstWardrobe->row(selected.front());
    if (row >= lstWardrobe2->count())
        return;
    // 1.
    lstWardrobe2->setCurrentRow(row);
    WardrobePickKind = WardrobeKind(lstWardrobe2->item(row)->text().toLatin1().toStdString());
    // 2.
    WardrobePickPending = true;
    if (m_mainWindow) {
        m_mainWindow->setWindowState(m_mainWindow->windowState() & ~Qt::WindowMinimized);
        m_mainWindow->show();
        m_mainWindow->raise();
        m_mainWindow->activateWindow();
    }
    emit pickHandedOver();
}

bool FormWardrobe::eventFilter(QObject* watched, QEvent* event) {
    // The keyboard's double-click and right click: Enter puts the selected item on, the
    // context-menu key or Shift+F10 opens the list's menu beside the selected entry.
    if (watched == lstWardrobe && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            modifiers == Qt::NoModifier) {
            lstWardrobe_DblClick();
            return true;
        }
        if ((key->key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
            (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
            const QRect item = lstWardrobe->visualItemRect(lstWardrobe->currentItem());
            const QPoint at = item.isValid() ? item.center() : QPoint(0, 0);
            lstWardrobe_MouseUp(2, 0, at.x() * kTwipsPerPixel, at.y() * kTwipsPerPixel);
            return true;
        }
    }
    if (watched == lstWardrobe && event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() != QContextMenuEvent::Mouse) {
        if (!lstmnu->isVisible())
            lstmnu->popup(lstWardrobe->mapToGlobal(QPoint(0, 0)));
        return true;
    }
    if (watched == lstWardrobe->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        lstWardrobe_MouseUp(ButtonValue(mouse->button()), ShiftValue(mouse->modifiers()),
                            at.x() * kTwipsPerPixel, at.y() * kTwipsPerPixel);
    }
    return QWidget::eventFilter(watched, event);
}

void FormWardrobe::lstWardrobe_MouseUp(int button, int /*shift*/, int x, int y) {
    if (button != 2)
        return;
    lstmnu->popup(
        lstWardrobe->viewport()->mapToGlobal(QPoint(x / kTwipsPerPixel, y / kTwipsPerPixel)));
}

void FormWardrobe::removeitem_Click() {
    const QList<QListWidgetItem*> selected = lstWardrobe->selectedItems();
    if (selected.isEmpty())
        return; // nothing selected: nothing to do, nothing to say
    const int row = lstWardrobe->row(selected.front());
    std::vector<WardrobeEntry> entries = listedEntries();
    if (row >= static_cast<int>(entries.size()))
        return;
    entries.erase(entries.begin() + row);
    // The lists change only once the files hold the change.
    if (!write(entries))
        return;
    lstWardrobe2->setCurrentRow(row);
    delete lstWardrobe->takeItem(row);
    delete lstWardrobe2->takeItem(row);
}

void FormWardrobe::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void FormWardrobe::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    // 1.
    SaveWardrobe();
    // 2.
    if (!PositionIsUnknown()) {
        const QPoint at = pos();
        WriteSetting(SettingsPath(), "Wardrobe", "PosY", TwipsText(at.y()));
        WriteSetting(SettingsPath(), "Wardrobe", "PosX", TwipsText(at.x()));
    }
    // 3.
    WardrobeOpen = false;
}

} // namespace zv
