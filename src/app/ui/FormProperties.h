#pragma once
// The properties dialog: four preferences of the settings file as check boxes. Save writes all
// four and closes, Cancel closes without writing. It reads the file each time it opens.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace zv {

class FormProperties final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormProperties)

public:
    // Modeless; deletes itself when it closes.
    explicit FormProperties(QWidget* parent = nullptr);

    void cmdSave_Click();
    void cmdCancel_Click();

private:
    void Form_Load();

    QLabel* lblMusic = nullptr;
    QLabel* lblMinimize = nullptr;
    QLabel* lblTimeCalc = nullptr;
    QLabel* lblSplashScreen = nullptr;
    QCheckBox* chkMusic = nullptr;
    QCheckBox* chkMinimize = nullptr;
    QCheckBox* chkTimeCalc = nullptr;
    QCheckBox* chkSplash = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace zv
