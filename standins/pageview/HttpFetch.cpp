// A minimal HTTP/1.0 GET over Winsock.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "HttpFetch.h"

#include "core/HttpMessage.h"

namespace pageview {

namespace {

// Connects with a time limit: a non-blocking connect, then a wait for writability.
bool ConnectWithTimeout(SOCKET s, const sockaddr* address, int length)
{
    u_long nonBlocking = 1;
    ::ioctlsocket(s, FIONBIO, &nonBlocking);
    if (::connect(s, address, length) != 0 && ::WSAGetLastError() != WSAEWOULDBLOCK)
        return false;
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(s, &writable);
    FD_SET(s, &failed);
    timeval wait = { kHttpTimeoutMs / 1000, 0 };
    if (::select(0, nullptr, &writable, &failed, &wait) <= 0 || FD_ISSET(s, &failed))
        return false;
    u_long blocking = 0;
    ::ioctlsocket(s, FIONBIO, &blocking);
    return true;
}

}  // namespace

bool HttpGetRaw(const HttpTarget& target, std::string& raw)
{
    WSADATA data;
    if (::WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return false;
    bool ok = false;
    addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    const std::string port = std::to_string(target.port);
    if (::getaddrinfo(target.host.c_str(), port.c_str(), &hints, &found) == 0) {
        for (addrinfo* a = found; a && !ok; a = a->ai_next) {
            SOCKET s = ::socket(a->ai_family, a->ai_socktype, a->ai_protocol);
            if (s == INVALID_SOCKET)
                continue;
            DWORD timeout = kHttpTimeoutMs;
            ::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
            ::setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
            if (ConnectWithTimeout(s, a->ai_addr, static_cast<int>(a->ai_addrlen))) {
                const std::string request = BuildHttpRequest(target);
                size_t sent = 0;
                while (sent < request.size()) {
                    int n = ::send(s, request.data() + sent, static_cast<int>(request.size() - sent), 0);
                    if (n <= 0)
                        break;
                    sent += static_cast<size_t>(n);
                }
                if (sent == request.size()) {
                    std::string response;
                    char buffer[16384];
                    for (;;) {
                        int n = ::recv(s, buffer, sizeof(buffer), 0);
                        if (n <= 0)
                            break;
                        response.append(buffer, static_cast<size_t>(n));
                        if (response.size() > kMaxResponseBytes) {
                            response.resize(kMaxResponseBytes);
                            break;
                        }
                    }
                    if (!response.empty()) {
                        raw.swap(response);
                        ok = true;
                    }
                }
            }
            ::closesocket(s);
        }
        ::freeaddrinfo(found);
    }
    ::WSACleanup();
    return ok;
}

}  // namespace pageview
