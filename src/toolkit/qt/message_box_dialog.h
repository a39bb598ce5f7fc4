// The message box window: icon by kind, the translated caption and text, the buttons in their
// computed order. Modal; exec() returns the result code of the button chosen.
#pragma once

#include "toolkit/message_box.h"

#include <QDialog>
#include <vector>

class QPushButton;

namespace vc {

class tTranslation;

class tMessageBoxDialog : public QDialog {
    Q_OBJECT
public:
    explicit tMessageBoxDialog(const tMessageBoxLayout& layout, QWidget* parent = nullptr);

    // Left to right, as laid out.
    const std::vector<QPushButton*>& Buttons() const { return buttons_; }

    // Closing the window answers Cancel, whatever the buttons.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<QPushButton*> buttons_;
    int escapeResult_;
};

// The message box routine: builds the layout from the table and runs the dialog.
int MessageBox(const tTranslation& translation, std::string_view text, std::string_view caption,
               tMsgKind kind, tMsgButtons buttons, QWidget* parent = nullptr);

} // namespace vc
