#pragma once
// The password the books file is keyed with. One definition for the program, the
// build-time tool that makes a new file and the tests; plain C++ so that the tool,
// which links no Qt, can include it too.

namespace mdlStandard {
inline constexpr const char *kDatabasePassword = "lanternorchardbay";
} // namespace mdlStandard
