// The question asked once when the first tape closes: whether the program is to start by itself
// at the next log-in. The answer is remembered in the settings file ("AskStartup" in "General").
#pragma once

#include <string>

namespace vc {

class tMessageBoxer;
struct tProgramValues;

inline constexpr const char* kAskStartupText =
    "Do you want Velocrest to start automatically the next time you log in ?";
inline constexpr const char* kAskStartupCaption = "Startup";

// The desktop's automatic start of the program at log-in.
class tStartupEntry {
public:
    virtual ~tStartupEntry() = default;
    // True when an entry for the program exists.
    virtual bool Exists() = 0;
    // Creates the entry that starts executable; failures are ignored by the caller.
    virtual bool Create(const std::string& executable) = 0;
};

// True when the window may close. Only the first instance asks, and only until the question was
// answered once (or an entry already existed); Cancel refuses the close and leaves the question
// for the next time.
bool FormCloseQuery(const tProgramValues& values, tMessageBoxer& boxer, tStartupEntry& startup,
                    const std::string& executable);

} // namespace vc
