// The web addresses the console footer and the intro credits show. Both lie on reserved example
// domains, so they name nobody real.
#pragma once

#include <string_view>

constexpr std::string_view kAuthorAddress = "www.chromaflux.example";
constexpr std::string_view kThankedAddress = "www.example.org";

// The console footer, drawn as one text.
constexpr std::string_view kFooterText = "code by www.chromaflux.example";
static_assert(kFooterText.substr(kFooterText.size() - kAuthorAddress.size()) == kAuthorAddress,
              "the footer names the author's address");
