// The texts every window and message may need from the first moment: the message box buttons and
// help notices, the wizard buttons, and the day and month names.
#pragma once

namespace vc {

class tTranslation;

// Registers the start-up vocabulary. It must be the first registration of the table: its first row
// fixes the table's language columns.
void RegisterStartupVocabulary(tTranslation& translation);

} // namespace vc
