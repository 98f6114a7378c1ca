#pragma once
// What the two calculator windows share: their controls placed from a table over a background
// picture that carries the row labels, calculating from the button, the CALC picture or Enter in
// any input, the error message, and the typed figures kept in the settings file.
#include "calc/RememberedInputs.h"

#include <QRect>
#include <QWidget>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <utility>

class QCloseEvent;

namespace zv {

enum class CalcControlKind {
    Total,  // the outfit's price, set once when the window opens
    Input,  // a text box the user types a figure into
    Result, // a label the calculation writes
    Level,  // the rank picture
};

// A control and its place on the background picture, in pixels.
struct CalcControl {
    const char* Name;
    CalcControlKind Kind;
    QRect Place;
    const char* Tip; // tool tip
};

struct CalcWindowLayout {
    const char* Name;       // objectName
    const char* Caption;    // window title
    const char* Background; // program-folder path of the picture with the row labels
    QSize Client;
    std::span<const CalcControl> Controls; // top to bottom, the tab order of the inputs
    QRect ImgCalc;
    QRect CmdCalc;
    std::span<const RememberedInput> Remembered;
};

class CalcWindow : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CalcWindow)

public:
    void cmdCalc_Click();
    void imgCalc_Click();

protected:
    // Builds the window as a top-level window of `owner` that deletes itself when closed, and
    // loads it: skin, the outfit's price, the remembered figures.
    CalcWindow(QWidget* owner, const CalcWindowLayout& layout);

    // Works out and shows the results; false, with nothing on screen changed, when the figures
    // do not allow it.
    virtual bool calculate() = 0;

    // The text of an input or label by its name.
    QString text(const char* name) const;
    // Writes whole numbers into result labels, in the order given.
    void showResults(std::initializer_list<std::pair<const char*, int32_t>> results);

    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Unload();

    std::span<const RememberedInput> m_remembered;
    bool m_unloaded = false;
};

// The message every failed calculation shows.
extern const char* const CalcErrorTitle;
extern const char* const CalcErrorText;

} // namespace zv
