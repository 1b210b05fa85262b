// The settings window's HTTP client object. Nothing sends a request through it: it only holds the
// proxy parameters it is given at start, so only those exist here.
#pragma once

#include "toolkit/TComponent.h"

namespace ui {

class TIdProxyConnectionInfo {
public:
    const toolkit::String& ProxyServer() const { return proxyServer_; }
    void SetProxyServer(toolkit::StringView value) { proxyServer_ = toolkit::String(value); }
    int ProxyPort() const { return proxyPort_; }
    void SetProxyPort(int value) { proxyPort_ = value; }
    // Authentication at the proxy stays off and no credentials are ever set.
    bool BasicAuthentication() const { return false; }
    const toolkit::String& ProxyUsername() const { return none_; }
    const toolkit::String& ProxyPassword() const { return none_; }

private:
    toolkit::String proxyServer_;
    int proxyPort_ = 0;
    toolkit::String none_;
};

class TIdHTTP : public toolkit::TComponent {
public:
    explicit TIdHTTP(toolkit::TComponent* AOwner) : toolkit::TComponent(AOwner) {}

    TIdProxyConnectionInfo& ProxyParams() { return proxyParams_; }
    const TIdProxyConnectionInfo& ProxyParams() const { return proxyParams_; }

private:
    TIdProxyConnectionInfo proxyParams_;
};

} // namespace ui
