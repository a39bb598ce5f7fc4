// The table-properties dialog: which columns a grid shows and in what order, and how many text lines
// a row holds. It only edits a copy; the grid applies the result when the user presses OK.
#pragma once

#include "toolkit/table_data.h"

#include <QDialog>
#include <vector>

class QListWidget;
class QPushButton;
class QSpinBox;

namespace vc {

class tTranslation;

class tTableProperties : public QDialog {
    Q_OBJECT
public:
    tTableProperties(const std::vector<tColumnChoice>& choices, int lines, const tTranslation& translation,
                     QWidget* parent = nullptr);

    // Every column in the order shown, Visible as checked.
    std::vector<tColumnChoice> Choices() const;
    int Lines() const;

    QListWidget* List() const { return list_; }
    QPushButton* UpButton() const { return up_; }
    QPushButton* DownButton() const { return down_; }
    QSpinBox* LinesBox() const { return lines_; }

private:
    void MoveCurrent(int step);
    void UpdateButtons();

    std::vector<tColumnChoice> choices_; // by Id; the list items carry the index into this
    QListWidget* list_;
    QPushButton* up_;
    QPushButton* down_;
    QSpinBox* lines_;
};

} // namespace vc
