#include "tape/ticker_tape.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>
#include <unordered_map>
#include <variant>

#include "tape/alerts.h"
#include "tape/ini_text.h"
#include "tape/symbol_import.h"
#include "toolkit/file_names.h"
#include "toolkit/text.h"
#include "toolkit/url.h"

namespace vc {
namespace {

// Sets the scroll hold flag for the life of the object.
class tHold {
public:
    // The flag comes back as it was: a hold set by the mouse over the tape outlives a list change.
    explicit tHold(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~tHold() { flag_ = before_; }
    tHold(const tHold&) = delete;
    tHold& operator=(const tHold&) = delete;

private:
    bool& flag_;
    bool before_;
};

// The indexes of the item sections present in the file ("Tape_000_Item" + the digits exactly as
// the program writes them), in order. Reading walks these rather than the stored count, so a count
// that is damaged or absurdly large never makes the loader probe or allocate for items that are not
// there.
std::vector<int> StoredItemIndexes(const tIniObject& ini) {
    const std::string prefix = UpperText(std::string(kTapeSection) + "_Item");
    std::set<int> found;
    for (const std::string& name : ini.SectionNames()) {
        const std::string upper = UpperText(name);
        if (upper.size() <= prefix.size() || upper.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        const std::string digits = upper.substr(prefix.size());
        if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        const int index = std::stoi(digits);
        if (tTickerItem::SectionName(kTapeSection, "_Item", index) ==
            std::string(kTapeSection) + "_Item" + digits) {
            found.insert(index);
        }
    }
    return std::vector<int>(found.begin(), found.end());
}

// One stored setting of the tape section: the field that holds it and its value before any file
// was read.
template <typename T, typename D = T>
struct tSetting {
    T tTickerTape::*Member;
    D Default;
};
using tTextSetting = tSetting<std::string, const char*>;
using tNumberSetting = tSetting<int>;
using tFlagSetting = tSetting<bool>;

struct tSettingKey {
    const char* Key;
    std::variant<tTextSetting, tNumberSetting, tFlagSetting> Setting;
};

// In the order they are written after the items.
const tSettingKey kSettingKeys[] = {
    {"SkinName", tTextSetting{&tTickerTape::SkinName, "Default\\Arrow"}},
    {"Speed", tNumberSetting{&tTickerTape::Speed, 30}},
    {"Direction", tNumberSetting{&tTickerTape::Direction, kDirectionLeft}},
    {"AutoHide", tFlagSetting{&tTickerTape::AutoHide, false}},
    {"MarkOldItems", tFlagSetting{&tTickerTape::MarkOldItems, false}},
    {"MailServer", tTextSetting{&tTickerTape::MailServer, ""}},
    {"MailAccount", tTextSetting{&tTickerTape::MailAccount, ""}},
    {"MailTo", tTextSetting{&tTickerTape::MailTo, ""}},
    {"ShowLogos", tFlagSetting{&tTickerTape::ShowLogos, true}},
    {"ShowButtons", tFlagSetting{&tTickerTape::ShowButtons, true}},
    {"VertAlign", tNumberSetting{&tTickerTape::VertAlign, kVertAlignTop}},
    {"TrayIcon", tFlagSetting{&tTickerTape::TrayIcon, true}},
    {"SendMails", tFlagSetting{&tTickerTape::SendMails, false}},
    {"Server", tNumberSetting{&tTickerTape::Server, 0}},
    {"SkypeChat", tFlagSetting{&tTickerTape::SkypeChat, false}},
    {"SkypeChatTo", tTextSetting{&tTickerTape::SkypeChatTo, ""}},
    {"SkypeSMS", tFlagSetting{&tTickerTape::SkypeSMS, false}},
    {"SkypeSmsTo", tTextSetting{&tTickerTape::SkypeSmsTo, ""}},
};

template <typename T, typename D>
void ApplyDefault(tTickerTape& tape, const tSetting<T, D>& s) {
    tape.*s.Member = s.Default;
}

// A key missing from the file leaves the field as it is.
void Read(const tIniObject& ini, const char* key, tTickerTape& tape, const tTextSetting& s) {
    tape.*s.Member = ini.ReadString(kTapeSection, key, tape.*s.Member);
}
void Read(const tIniObject& ini, const char* key, tTickerTape& tape, const tNumberSetting& s) {
    tape.*s.Member = ini.ReadInteger(kTapeSection, key, tape.*s.Member);
}
void Read(const tIniObject& ini, const char* key, tTickerTape& tape, const tFlagSetting& s) {
    tape.*s.Member = ini.ReadBool(kTapeSection, key, tape.*s.Member);
}

void Write(tIniObject& ini, const char* key, const tTickerTape& tape, const tTextSetting& s) {
    ini.WriteString(kTapeSection, key, tape.*s.Member);
}
void Write(tIniObject& ini, const char* key, const tTickerTape& tape, const tNumberSetting& s) {
    ini.WriteInteger(kTapeSection, key, tape.*s.Member);
}
void Write(tIniObject& ini, const char* key, const tTickerTape& tape, const tFlagSetting& s) {
    ini.WriteBool(kTapeSection, key, tape.*s.Member);
}

} // namespace

tTickerTape::tTickerTape(tProgramValues& values, tTapeHooks hooks) : values_(values), hooks_(hooks) {
    for (const tSettingKey& key : kSettingKeys) {
        std::visit([this](const auto& setting) { ApplyDefault(*this, setting); }, key.Setting);
    }
    // Only the first instance's tape carries the logos.
    ShowLogos = values.InstanceNumber <= 1;
}

tTickerTape::~tTickerTape() {
    ClearItems();
}

void tTickerTape::Repaint() const {
    if (hooks_.View != nullptr) {
        hooks_.View->Repaint();
    }
}

void tTickerTape::SelectSkin(const std::string& skinName) {
    SkinName = skinName;
    Height = hooks_.Skins != nullptr ? hooks_.Skins->SelectSkin(skinName) : kDefaultTapeHeight;
}

void tTickerTape::LoadSettings() {
    {
        const tIniObject ini(values_.SettingsFileName);
        const char* s = kTapeSection;
        // Each setting keeps its current value when the file has no key for it.
        for (const tSettingKey& key : kSettingKeys) {
            std::visit([&](const auto& setting) { Read(ini, key.Key, *this, setting); }, key.Setting);
        }
        // The skin gives the height; it is chosen before the items come, so none is drawn in the
        // old one.
        SelectSkin(SkinName);

        // A count that is no number or is negative says nothing; every stored item is then taken.
        const std::string countText = Trim(ini.ReadString(s, "Aantal", "0"));
        const bool countValid = IsNumber(countText) && countText.find_first_of("-.") == std::string::npos;
        const long long count = countValid ? std::stoll(countText.substr(0, 18)) : -1;
        for (const int index : StoredItemIndexes(ini)) {
            if (count >= 0 && index >= count) {
                break;
            }
            auto item = std::make_unique<tTickerItem>();
            item->Index = index;
            if (item->LoadFromIni(ini, s)) {
                AppendItem(std::move(item));
            }
        }

        ini.ReadList(std::string(s) + "_Gainers", GainerLists);
        values_.ProxySettings = ini.ReadString("General", "ProxySettings", values_.ProxySettings);
    }
    if (hooks_.View != nullptr) {
        hooks_.View->ShowButtons(ShowButtons);
    }
    ImportSetupFolder();
    if (MailServer.empty() && MailAccount.empty() && MailTo.empty() && hooks_.MailAccounts != nullptr) {
        const std::string account = hooks_.MailAccounts->DefaultMailAccount();
        MailServer = Field(account, 1);
        MailAccount = Field(account, 2);
        MailTo = MailAccount;
    }
}

void tTickerTape::SaveSettings(tIniObject& ini) const {
    const char* s = kTapeSection;
    ini.WriteInteger(s, "Aantal", ItemCount());
    for (const auto& item : items_) {
        item->SaveToIni(ini, s);
    }
    for (const tSettingKey& key : kSettingKeys) {
        std::visit([&](const auto& setting) { Write(ini, key.Key, *this, setting); }, key.Setting);
    }
    ini.WriteList(std::string(s) + "_Gainers", GainerLists);
}

int tTickerTape::IndexOfSymbol(std::string_view symbol) const {
    const std::string upper = UpperText(symbol);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i]->Symbol == upper) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

tTickerItem* tTickerTape::ItemWithId(tItemId id) {
    if (id == kNoItemId) {
        return nullptr;
    }
    for (const auto& item : items_) {
        if (item->Id == id) {
            return item.get();
        }
    }
    return nullptr;
}

tTickerItem& tTickerTape::AppendItem(std::unique_ptr<tTickerItem> item) {
    const tHold hold(Paused);
    item->ImageWidth = -1;
    item->DiscardImages();
    item->Index = ItemCount();
    item->Id = ++lastItemId_;
    items_.push_back(std::move(item));
    return *items_.back();
}

tTickerItem* tTickerTape::AddSymbol(std::string_view symbol, std::string_view name) {
    // An item without a symbol could never be quoted and would be dropped at the next start.
    if (symbol.empty() || IndexOfSymbol(symbol) >= 0) {
        return nullptr;
    }
    auto item = std::make_unique<tTickerItem>();
    item->Symbol = UpperText(symbol).substr(0, kMaxSymbolLength);
    item->Name = name.empty() ? item->Symbol : std::string(name);
    return &AppendItem(std::move(item));
}

void tTickerTape::Renumber() {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        items_[i]->Index = static_cast<int>(i);
    }
}

void tTickerTape::ForgetHeadItem() {
    HeadItem = nullptr;
    HeadOffset = 0;
}

void tTickerTape::RemoveItem(const tTickerItem& item) {
    const int position = IndexOfSymbol(item.Symbol);
    if (position < 0) {
        return;
    }
    const bool wasHead = HeadItem == items_[static_cast<std::size_t>(position)].get();
    {
        const tHold hold(Paused);
        items_[static_cast<std::size_t>(position)]->DiscardImages();
        items_.erase(items_.begin() + position);
        Renumber();
    }
    if (wasHead) {
        ForgetHeadItem();
        Repaint();
    }
}

void tTickerTape::ClearItems() {
    const tHold hold(Paused);
    for (const auto& item : items_) {
        item->DiscardImages();
    }
    items_.clear();
    ForgetHeadItem();
}

bool tTickerTape::RemoveGainerItems(int listId) {
    bool removed = false;
    {
        const tHold hold(Paused);
        for (std::size_t i = items_.size(); i-- > 0;) {
            if (items_[i]->Gainer != listId) {
                continue;
            }
            if (HeadItem == items_[i].get()) {
                ForgetHeadItem();
            }
            items_[i]->DiscardImages();
            items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
            removed = true;
        }
        Renumber();
    }
    Repaint();
    return removed;
}

bool tTickerTape::AddGainerItems(int listId, const std::vector<std::string>& lines) {
    int created = 0;
    for (const std::string& line : lines) {
        if (created >= kMaxGainerItems) {
            break;
        }
        tTickerItem* item = AddSymbol(Field(line, 2), Field(line, 1));
        if (item == nullptr) {
            continue;
        }
        item->Close = ini::FloatFromText(Field(line, 3));
        item->Prev = ini::FloatFromText(Field(line, 4));
        item->Date = Clock().Now();
        item->Gainer = listId;
        ++created;
    }
    return created > 0;
}

std::vector<std::string> tTickerTape::BuildRequestList() const {
    std::vector<std::string> requests;
    requests.reserve(items_.size());
    for (const auto& item : items_) {
        requests.push_back("YAHTICK|" + item->Symbol);
    }
    return requests;
}

bool tTickerTape::ImportFile(const std::string& fileName) {
    bool created = false;
    for (const std::string& line : ReadSymbolFile(fileName)) {
        // Names may hold no "|", so the symbol is everything after the last one.
        if (AddSymbol(AfterLast(line, '|'), BeforeLast(line, '|')) != nullptr) {
            created = true;
        }
    }
    return created;
}

void tTickerTape::ImportSetupFolder() {
    if (values_.ProgramDir.empty()) {
        return;
    }
    const std::filesystem::path folder = ResolveCaseless(values_.ProgramDir, "SETUP");
    std::error_code ec;
    std::vector<std::filesystem::path> files;
    for (auto it = std::filesystem::directory_iterator(folder, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) && UpperText(it->path().extension().string()) == ".CSV") {
            files.push_back(it->path());
        }
    }
    // In name order, so that the tape order does not depend on the file system.
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        ImportFile(file.string());
        std::filesystem::remove(file, ec);
    }
}

void tTickerTape::MergeQuotes(std::vector<std::string>& lines) {
    if (lines.empty()) {
        return;
    }
    // One look-up table per batch instead of a walk along the tape per line; the list does not
    // change while the batch merges. Like IndexOfSymbol, the first item of a symbol wins.
    std::unordered_map<std::string_view, int> positions;
    positions.reserve(items_.size());
    for (std::size_t i = items_.size(); i-- > 0;) {
        positions[items_[i]->Symbol] = static_cast<int>(i);
    }
    for (std::size_t i = lines.size(); i-- > 0;) {
        const std::string& line = lines[i];
        const auto found = positions.find(UpperText(Field(line, 2)));
        const int position = found == positions.end() ? -1 : found->second;
        if (position < 0) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        tTickerItem& item = ItemAt(position);
        const auto number = [&](int field) { return ini::FloatFromText(Field(line, field)); };
        const double open = number(5);
        const double high = number(6);
        const double low = number(7);
        const double last = number(8);
        const double volume = number(9);
        const double prev = number(12);
        if (EvaluateAlerts(item, last, low, high, open, Clock())) {
            item.DiscardImages();
        }
        if (item.ApplyQuote(Field(line, 3), open, high, low, last, volume, prev, Clock())) {
            item.DiscardImages();
        } else {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

std::string tTickerTape::Logon() const {
    return UrlEncode(MailAccount.empty() ? std::string(kPlaceholderLogon) : MailAccount);
}

std::string tTickerTape::ProfileAddress(std::string_view symbol) const {
    return std::string(kProductSite) + "/profile/index.html?symbol=" + std::string(symbol) +
           "&logon=" + Logon();
}

std::string tTickerTape::NewsAddress(std::string_view url) const {
    return std::string(kProductSite) + "/profile/news.html?logon=" + Logon() + "&url=" + std::string(url);
}

std::string tTickerTape::GainersAddress(std::string_view url) const {
    return std::string(kProductSite) + "/profile/gainers.html?logon=" + Logon() + "&url=" + std::string(url);
}

void tTickerTape::OpenProfile(std::string_view symbol) const {
    if (hooks_.Shell != nullptr) {
        hooks_.Shell->OpenUrl(ProfileAddress(symbol));
    }
}

void tTickerTape::OpenNewsLink(std::string_view url) const {
    if (hooks_.Shell != nullptr) {
        hooks_.Shell->OpenUrl(NewsAddress(url));
    }
}

void tTickerTape::OpenGainersLink(std::string_view url) const {
    if (hooks_.Shell != nullptr) {
        hooks_.Shell->OpenUrl(GainersAddress(url));
    }
}

} // namespace vc
