#include "label/identity_facts_win.h"

#include "label/identity_facts.h"
#include "label/label_text.h"
#include "toolkit/system_win.h"

#include <windows.h>
#include <winsock.h>

#include <cstring>

namespace {

bool g_networkingStarted = false;

// The first resolved address of this machine's own name other than 127.0.0.1 (only that exact
// loopback address is passed over), in dotted form; 0.0.0.0 when there is none.
std::string LookUpPrimaryIP() {
    unsigned char chosen[4] = {0, 0, 0, 0};
    char hostName[256] = {};
    if (gethostname(hostName, 255) == 0) {
        const hostent* host = gethostbyname(hostName);
        if (host != nullptr && host->h_addrtype == AF_INET && host->h_length == 4) {
            for (char** entry = host->h_addr_list; *entry != nullptr; ++entry) {
                unsigned char octets[4];
                std::memcpy(octets, *entry, sizeof octets);
                const bool loopback =
                    octets[0] == 127 && octets[1] == 0 && octets[2] == 0 && octets[3] == 1;
                if (!loopback) {
                    std::memcpy(chosen, octets, sizeof chosen);
                    break;
                }
            }
        }
    }
    return FormatIPv4(chosen);
}

} // namespace

void GatherIdentityFacts() {
    IdentityFacts& facts = current::IdentityFacts;
    facts.DomainName = toolkit::EnvironmentValue("USERDOMAIN");
    facts.UserName = toolkit::EnvironmentValue("USERNAME");
    facts.ComputerName = toolkit::EnvironmentValue("COMPUTERNAME");
    WSADATA data{};
    g_networkingStarted = WSAStartup(MAKEWORD(1, 1), &data) == 0;
    if (g_networkingStarted) {
        facts.PrimaryIP = LookUpPrimaryIP();
    }
}

void ReleaseNetworking() {
    if (g_networkingStarted) {
        WSACleanup();
        g_networkingStarted = false;
    }
}
