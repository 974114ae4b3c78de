#pragma once

#include <string>

// Who and where this machine is, gathered once at start-up. Texts are in the ANSI code page.
struct IdentityFacts {
    std::string ComputerName;
    std::string DomainName;
    std::string UserName;
    std::string PrimaryIP;
};

namespace current {
extern ::IdentityFacts IdentityFacts;
}
