#include "app/ui/FormProperties.h"

#include "base/Settings.h"
#include "base/ui/Controls.h"
#include "base/ui/MessageBox.h"

#include <QCheckBox>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <array>

namespace zv {
namespace {

// Client area in twips: the Cancel button's right edge and bottom plus the margin of the left
// column.
constexpr int kWidthTwips = 3720 + 855 + 120;
constexpr int kHeightTwips = 1440 + 255 + 120;
constexpr int kLabelLeft = 120;
constexpr int kBoxLeft = 3240;
constexpr int kRowHeight = 255;
constexpr int kSmallestPixels = 9;

struct Preference {
    const char* label;
    const char* labelName;
    int labelTop;
    const char* box;
    int boxTop;
    const char* section;
    const char* key;
};

// In the order they are read and written.
constexpr std::array<Preference, 4> kPreferences{{
    {"Start music playback when program starts:", "lblMusic", 120, "chkMusic", 120,
     "Music on/off at startup", "SoundOn"},
    {"Minimize to system tray instead of taskbar:", "lblMinimize", 360, "chkMinimize", 360,
     "Minimize to systemtray", "SystemTray"},
    {"Autosave and load timecalculator values:", "lblTimeCalc", 600, "chkTimeCalc", 550,
     "Time Calculator", "SaveLoad"},
    {"Disable Splashscreen:", "lblSplashScreen", 840, "chkSplash", 810, "Zorvex", "ShowSplash"},
}};

// A check box shows 1 as checked; anything else, also a missing or broken value, as unchecked.
bool IsOne(const char* section, const char* key) {
    return SettingNumber(ReadSetting(SettingsPath(), section, key)) == 1;
}

// The largest font, up to the window's own, in which every text fits its place: the label column
// is narrow, and fonts differ in width from desktop to desktop.
QFont FittingFont(QFont font, const QStringList& texts, int width) {
    if (font.pixelSize() <= 0)
        font.setPixelSize(QFontMetrics(font).height() * 3 / 4 + 1);
    for (int size = font.pixelSize(); size > kSmallestPixels; --size) {
        font.setPixelSize(size);
        const QFontMetrics metrics(font);
        if (std::all_of(texts.begin(), texts.end(), [&](const QString& text) {
                return metrics.horizontalAdvance(text) <= width;
            }))
            return font;
    }
    font.setPixelSize(kSmallestPixels);
    return font;
}

QPushButton* AddButton(QWidget* parent, const char* name, const char* caption, int left) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(Px(left), Px(1440), Px(855), Px(255));
    return button;
}

} // namespace

FormProperties::FormProperties(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("formProperties"));
    setWindowTitle(QStringLiteral("Properties"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(Px(kWidthTwips), Px(kHeightTwips));

    QStringList texts;
    for (const Preference& preference : kPreferences)
        texts << QString::fromLatin1(preference.label);
    setFont(FittingFont(font(), texts, Px(kBoxLeft - kLabelLeft) - 4));

    QLabel** labels[] = {&lblMusic, &lblMinimize, &lblTimeCalc, &lblSplashScreen};
    QCheckBox** boxes[] = {&chkMusic, &chkMinimize, &chkTimeCalc, &chkSplash};
    for (size_t i = 0; i < kPreferences.size(); ++i) {
        const Preference& preference = kPreferences[i];
        auto* label = new QLabel(QString::fromLatin1(preference.label), this);
        label->setObjectName(QString::fromLatin1(preference.labelName));
        label->setGeometry(Px(kLabelLeft), Px(preference.labelTop), Px(kBoxLeft - kLabelLeft),
                           Px(kRowHeight));
        *labels[i] = label;
        auto* box = new QCheckBox(this);
        box->setObjectName(QString::fromLatin1(preference.box));
        box->setGeometry(Px(kBoxLeft), Px(preference.boxTop), Px(255), Px(kRowHeight));
        label->setBuddy(box);
        *boxes[i] = box;
    }
    chkSplash->setEnabled(false);

    cmdSave = AddButton(this, "cmdSave", "Save", 2760);
    cmdCancel = AddButton(this, "cmdCancel", "Cancel", 3720);
    cmdSave->setDefault(true);
    ShowFocusOnDefaultButton(cmdSave);
    connect(cmdSave, &QPushButton::clicked, this, &FormProperties::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FormProperties::cmdCancel_Click);

    Form_Load();
}

void FormProperties::Form_Load() {
    chkMusic->setChecked(IsOne("Music on/off at startup", "SoundOn"));
    chkMinimize->setChecked(IsOne("Minimize to systemtray", "SystemTray"));
    chkTimeCalc->setChecked(IsOne("Time Calculator", "SaveLoad"));
    if (SettingNumber(ReadSetting(SettingsPath(), "Zorvex", "Splashscreen")) == 0) {
        chkSplash->setEnabled(true);
        chkSplash->setChecked(IsOne("Zorvex", "ShowSplash"));
    }
}

void FormProperties::cmdSave_Click() {
    const QCheckBox* boxes[] = {chkMusic, chkMinimize, chkTimeCalc, chkSplash};
    bool saved = true;
    for (size_t i = 0; i < kPreferences.size(); ++i) {
        // A disabled box is unchecked, so "ShowSplash" gets "0" while the countdown runs.
        const char* value = boxes[i]->isChecked() ? "1" : "0";
        saved = WriteSetting(SettingsPath(), kPreferences[i].section, kPreferences[i].key, value) &&
                saved;
    }
    if (!saved) {
        ShowMessage(this, QString(),
                    QStringLiteral("The preferences could not be saved: the settings file %1 "
                                   "cannot be written.")
                        .arg(QFile::decodeName(QByteArray::fromStdString(SettingsPath().string()))),
                    MessageIcon::Warning);
    }
    close();
}

void FormProperties::cmdCancel_Click() {
    close();
}

} // namespace zv
