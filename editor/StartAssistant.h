#pragma once

#include "MenuLists.h"

#include <QDialog>

class QCheckBox;

namespace kx {

/// "Welcome to Kestrix2000": a modeless, always-on-top dialog owned by the frame with a tip, the
/// way to a new or an existing document, and the way out of the program. It remembers the tip it
/// showed last and whether it is to open at the next start.
class StartAssistant : public QDialog {
public:
    /// Opens the assistant, or raises the one that is open already.
    static StartAssistant* open(QWidget* frame, CommandRunner run);

    StartAssistant(QWidget* frame, CommandRunner run);
    ~StartAssistant() override;

    int tip() const { return m_tip; }

    void done(int result) override;

private:
    class TipPicture;

    void showNextTip();
    /// Stores the tip shown and the check box, once.
    void store();

    CommandRunner m_run;
    int m_tip;
    bool m_openChosen = false;
    bool m_stored = false;
    QCheckBox* m_dontShowAgain;
    TipPicture* m_picture;
};

/// Puts `window`'s top-left corner `left` pixels left of and `above` pixels above the centre of
/// the screen `reference` is on.
void placeFromScreenCentre(QWidget& window, const QWidget* reference, int left, int above);
/// Makes the splash screen's and the assistant's pictures available.
void loadStartScreenPictures();

} // namespace kx
