#pragma once

// The fixed texts of the licence terms and manual windows, UTF-8.

namespace lumaro {

// Title, opening paragraph and 13 numbered sections, broken by hand after at most 88 characters.
extern const char kLicenceText[];

// The manual. "%1" stands for the support mail address, which lives with the links.
extern const char kManualText[];

} // namespace lumaro
