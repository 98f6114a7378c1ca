#include "app/ui/FormSplash.h"

#include "app/SplashStart.h"
#include "app/ui/FormMain.h"
#include "app/ui/SoundStart.h"
#include "base/ProgramPaths.h"
#include "base/Settings.h"
#include "base/ui/Controls.h"
#include "base/ui/MessageBox.h"
#include "desktop/ui/FMod.h"
#include "desktop/ui/Skin.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cmath>

namespace zv {
namespace {

const QColor kCutOut(255, 0, 255);
constexpr int kTickMs = 5000;

QLabel* AddLabel(QWidget* parent, const char* name, int left, int top, int width, int height,
                 const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(Px(left), Px(top), Px(width), Px(height));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

int Twips(double pixels) {
    return static_cast<int>(std::lround(pixels * kTwipsPerPixel));
}

} // namespace

FormSplash::FormSplash(QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("formSplash"));
    setWindowTitle(QStringLiteral("Zorvex 1.1b"));

    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(232, 228, 255));
    setPalette(colours);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    setFont(font);

    lbltitle = AddLabel(this, "lbltitle", 0, 0, 6015, 495, QString());
    lbltitle->installEventFilter(this);
    txtSplash = AddLabel(this, "txtSplash", 360, 840, 5295, 3615, QString());
    Label1 = AddLabel(this, "Label1", 360, 4440, 5175, 255,
                      QStringLiteral("Support Korvane, buy some cash!"));
    QFont bold = font;
    bold.setBold(true);
    Label1->setFont(bold);
    Label2 = AddLabel(this, "Label2", 360, 4680, 5175, 375,
                      QStringLiteral("QOVA is freeware, but if you enjoy the program please "
                                     "consider a donation."));
    QFont small = font;
    small.setPixelSize(10);
    Label2->setFont(small);

    // Their pictures are loaded when the splash shows: a skipped splash needs none.
    imgOKoff = new ImageControl(QStringLiteral("imgOKoff"), this, 4440, 5200, 1200, 510);
    imgOKon = new ImageControl(QStringLiteral("imgOKon"), this, 4440, 5200, 1200, 510);
    imgOKon->setCursor(Qt::PointingHandCursor);
    imgOKon->hide();
    connect(imgOKon, &ImageControl::Click, this, &FormSplash::imgOKon_Click);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTickMs);
    connect(Timer1, &QTimer::timeout, this, &FormSplash::Timer1_Timer);
}

FormSplash::~FormSplash() = default;

void FormSplash::Form_Load() {
    Timer1->start();
    // 1.
    MakeTopmost(this, -1);
    // 2. and 3.
    const SplashDecision decision = CountDownSplash(SettingsPath());
    SplashCountdown = decision.SplashCountdown;
    if (decision.SplashSkipped) {
        Form_Unload();
        SplashSkipped = true;
        emit ShowMainWindow();
        return;
    }
    // 4a.
    StartSoundLibrary(this);
    if (m_unloaded)
        return; // closed while the message was up
    setWindowIcon(QIcon(ProgramPicture("\\graphics\\zorvex.png")));
    imgOKoff->setPicture(ProgramPicture("\\graphics\\ok-off.gif"));
    imgOKon->setPicture(ProgramPicture("\\graphics\\ok-on.gif"));
    // 4b.
    SplashSkin = std::make_unique<clsSkingen>();
    const QString shapeError =
        SplashSkin->MakeTransparent(this, kCutOut, ProgramPicture("\\graphics\\splash.gif"));
    if (!shapeError.isEmpty()) {
        // Without its picture the splash would be an empty frameless window: say what is
        // wrong and go on to the main window.
        ShowMessage(nullptr, QString(), shapeError, MessageIcon::Warning);
        if (!m_unloaded)
            OpenMainWindow();
        return;
    }
    // 4c.
    PlaceOnScreen();
    show();
    // 4d.
    const std::string intro = ProgramPath("\\KV-Intro.mp3").string();
    IntroStream =
        FSOUND_Stream_Open(intro.c_str(), kStream16Bits | kStreamSigned | kStreamMono, 0, 0);
    IntroChannel = FSOUND_Stream_Play(kAnyFreeChannel, IntroStream);
    // 4e.
    txtSplash->setText(ReadNewsText(ProgramPath("\\whatsnew.txt")));
}

void FormSplash::PlaceOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void FormSplash::Timer1_Timer() {
    imgOKoff->hide();
    imgOKon->show();
}

void FormSplash::imgOKon_Click() {
    OpenMainWindow();
}

void FormSplash::OpenMainWindow() {
    m_openingMainWindow = true;
    close();
    Form_Unload();
    emit ShowMainWindow();
}

void FormSplash::keyPressEvent(QKeyEvent* event) {
    // Enter works the active OK button for those who do not use the mouse.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !imgOKon->isHidden()) {
        imgOKon_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FormSplash::closeEvent(QCloseEvent* event) {
    event->accept();
    if (m_unloaded)
        return;
    Form_Unload();
    if (!m_openingMainWindow)
        emit ClosedWithoutMainWindow();
}

void FormSplash::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    Timer1->stop();
    hide();
    SplashSkin.reset();
    // The intro is not stopped: it plays on into the main window.
}

bool FormSplash::eventFilter(QObject* watched, QEvent* event) {
    if (watched != lbltitle)
        return QWidget::eventFilter(watched, event);
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);

    const auto* mouse = static_cast<QMouseEvent*>(event);
    const int shift = ShiftValue(mouse->modifiers());
    const int x = Twips(mouse->position().x());
    const int y = Twips(mouse->position().y());
    if (type == QEvent::MouseButtonPress) {
        lbltitle_MouseDown(ButtonValue(mouse->button()), shift, x, y);
        // A Wayland window cannot place itself: the compositor moves it instead.
        if (Dragging && QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
            windowHandle() && windowHandle()->startSystemMove())
            Dragging = false;
    } else if (type == QEvent::MouseMove) {
        lbltitle_MouseMove((mouse->buttons() & Qt::LeftButton) ? 1 : 0, shift, x, y);
    } else {
        lbltitle_MouseUp(ButtonValue(mouse->button()), shift, x, y);
    }
    return true;
}

void FormSplash::lbltitle_MouseDown(int button, int /*shift*/, int x, int y) {
    if (button != 1)
        return;
    Dragging = true;
    DragStartX = x;
    DragStartY = y;
}

void FormSplash::lbltitle_MouseMove(int button, int /*shift*/, int x, int y) {
    if (button != 1 || !Dragging)
        return;
    move(pos() + QPoint(Px(x - DragStartX), Px(y - DragStartY)));
}

void FormSplash::lbltitle_MouseUp(int button, int /*shift*/, int /*x*/, int /*y*/) {
    if (button == 1)
        Dragging = false;
}

} // namespace zv
