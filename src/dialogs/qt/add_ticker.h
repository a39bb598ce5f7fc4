// tScr_AddTicker, the add-symbol dialog: find symbols by name, symbol or ISIN through the symbol
// lookup, or load them from a symbol list file, and hand the chosen rows back to the caller.
#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/add_symbols.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vc {

class tKestroTable;
class tLayoutStore;
class tTickerTape;
class tTranslation;

// The lookup's lines for a query and a kind ("I" or "S"), market "ALL".
using tSymbolLookup =
    std::function<std::vector<std::string>(const std::string& query, const std::string& kind)>;

class tScr_AddTicker : public QDialog {
    Q_OBJECT
public:
    tScr_AddTicker(tTickerTape& tape, tTranslation& translation, tSymbolLookup lookup, tLayoutStore* layouts,
                   QWidget* parent = nullptr);
    ~tScr_AddTicker() override;

    // Picks the symbol list file to import, starting in folder; empty when none was chosen.
    std::function<std::string(const std::string& folder)> ChooseFile;

    // "symbol|NAME" for each selected row, from the first selected to the last; valid after OK.
    const std::vector<std::string>& Chosen() const { return chosen_; }

    void Search();
    void Import();

    QLineEdit* EditTicker() const { return editTicker_; }
    QPushButton* BtnSearch() const { return btnSearch_; }
    QPushButton* BtnImport() const { return btnImport_; }
    QPushButton* BtnOk() const { return btnOk_; }
    QPushButton* BtnDefault() const { return btnDefault_; }
    QLabel* LblInfo() const { return lblInfo_; }
    tKestroTable* Grid() const { return grid_; }
    bool Searching() const { return searching_; }

protected:
    void showEvent(QShowEvent* event) override;
    void accept() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fill(const std::vector<tFoundSymbol>& rows);
    void UpdateButtons();
    // The folder the import starts in: "CsvDirectory" of the settings, else the program folder's CSV.
    std::string CsvFolder() const;

    tTickerTape& tape_;
    tSymbolLookup lookup_;
    std::vector<tFoundSymbol> rows_;
    std::vector<std::string> chosen_;
    QLineEdit* editTicker_ = nullptr;
    QPushButton* btnSearch_ = nullptr;
    QPushButton* btnImport_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    QPushButton* btnDefault_ = nullptr;
    QLabel* lblInfo_ = nullptr;
    tKestroTable* grid_ = nullptr;
    bool searching_ = false;
    bool activated_ = false;
};

// The dialog, modal; the chosen symbols after OK, else none.
std::vector<std::string> AddSymbols(tTickerTape& tape, tTranslation& translation, tSymbolLookup lookup,
                                    tLayoutStore* layouts, QWidget* parent = nullptr);

} // namespace vc
