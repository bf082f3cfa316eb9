#pragma once

// True in the AddressSanitizer build, which runs some thirty times slower: tests that push
// megabytes through a coder check memory safety on a smaller input there.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool sanitizerBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool sanitizerBuild = true;
#else
inline constexpr bool sanitizerBuild = false;
#endif
#else
inline constexpr bool sanitizerBuild = false;
#endif
