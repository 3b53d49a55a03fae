#pragma once

// Drives the library's dialogs and message boxes in place of a person.

#include "WaitFor.h"
#include "dialogs/ModalDialogs.h"
#include "exports/MessageBoxes.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

namespace kx::test {

/// Hands each modal dialog that opens to the next step of the script (none left: cancelled) and
/// records the titles.
class ScriptedDialogs {
public:
    using Step = std::function<int(QDialog&)>;
    ScriptedDialogs()
    {
        ModalDialogs::setDriver([this](QDialog& dialog) {
            titles.push_back(dialog.windowTitle());
            if (steps.empty())
                return 0;
            const Step step = std::move(steps.front());
            steps.pop_front();
            return step(dialog);
        });
    }
    ~ScriptedDialogs() { ModalDialogs::setDriver({}); }

    std::deque<Step> steps;
    std::vector<QString> titles;
};

/// Answers every message box with `answer` and records the texts.
class RecordedBoxes {
public:
    RecordedBoxes()
    {
        MessageBoxes::setPresenter([this](const MessageBoxRequest& request) {
            texts.push_back(request.text);
            return answer;
        });
    }
    ~RecordedBoxes() { MessageBoxes::setPresenter({}); }

    std::vector<QString> texts;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
};

template <typename Widget> Widget& control(QDialog& dialog, const char* name)
{
    Widget* widget = dialog.findChild<Widget*>(QLatin1String(name));
    if (!widget)
        throw std::runtime_error(std::string("no control ") + name);
    return *widget;
}

inline QString field(QDialog& dialog, const char* name)
{
    return control<QLineEdit>(dialog, name).text();
}

/// Sets the bits list, the channels list and the rate field of the shared format controls.
inline void chooseFormat(QDialog& dialog, int bitsIndex, int channelsIndex, const QString& rate)
{
    control<QComboBox>(dialog, "control101").setCurrentIndex(bitsIndex);
    control<QComboBox>(dialog, "control102").setCurrentIndex(channelsIndex);
    control<QComboBox>(dialog, "control103").setEditText(rate);
}

/// Presses a button; true when that ended the dialog.
inline bool press(QDialog& dialog, const char* name)
{
    bool ended = false;
    const auto connection = QObject::connect(&dialog, &QDialog::finished, [&] { ended = true; });
    control<QPushButton>(dialog, name).click();
    QObject::disconnect(connection);
    return ended;
}

} // namespace kx::test
