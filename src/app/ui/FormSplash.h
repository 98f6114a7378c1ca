#pragma once
// The splash window, the first window of the process. It counts the splash down in the settings
// file and then either hands over to the main window at once or shows itself: cut to the outline
// of its picture, above all other windows, with the intro tune and the news. OK, active after the
// first five-second tick, closes it and opens the main window.
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

class QLabel;
class QTimer;

namespace zv {

class ImageControl;
class clsSkingen;

class FormSplash final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormSplash)

public:
    explicit FormSplash(QWidget* parent = nullptr);
    ~FormSplash() override;

    // The decision and set-up. When the splash is skipped (or cannot be drawn) it unloads at once
    // and asks for the main window.
    void Form_Load();

    void Timer1_Timer();
    void imgOKon_Click();
    // Positions in twips within lbltitle; button 1 is the left one.
    void lbltitle_MouseDown(int button, int shift, int x, int y);
    void lbltitle_MouseMove(int button, int shift, int x, int y);
    void lbltitle_MouseUp(int button, int shift, int x, int y);

    std::string SplashCountdown;
    bool SplashSkipped = false;
    std::unique_ptr<clsSkingen> SplashSkin;
    int32_t IntroStream = 0;
    int32_t IntroChannel = 0;
    bool Dragging = false;
    int32_t DragStartX = 0;
    int32_t DragStartY = 0;

signals:
    // The splash has unloaded by OK, or skipped itself: the main window opens now.
    void ShowMainWindow();
    // The splash was closed in another way: no window is left, the program ends.
    void ClosedWithoutMainWindow();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Unload();
    void OpenMainWindow();
    void PlaceOnScreen();

    QLabel* lbltitle = nullptr;
    QLabel* txtSplash = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    ImageControl* imgOKoff = nullptr;
    ImageControl* imgOKon = nullptr;
    QTimer* Timer1 = nullptr;
    bool m_unloaded = false;
    bool m_openingMainWindow = false;
};

} // namespace zv
