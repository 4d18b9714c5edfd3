#pragma once

namespace talven {

// The toolkit's own texts (Yes/No buttons, the file and printer dialogs) in
// Japanese, like every other text of the program. Returns false when the
// translation is not installed; the program then runs with the toolkit's
// English buttons.
bool installJapaneseToolkitTexts();

}  // namespace talven
