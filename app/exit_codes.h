// Process exit codes, in the values deployment tools already understand.
#pragma once

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1603;          // a refusal, or a silent road that failed
inline constexpr int kExitAnotherInstance = 1618;  // another copy of the setup is running
