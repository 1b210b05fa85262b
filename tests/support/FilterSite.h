// A page that asks for resources of every kind, half of them with a blocked token in the address,
// served on "tv.example" by the test's proxy; and what the filter must make of each address. The
// engine library's own tests and the program's end-to-end tests load it alike.
#pragma once

#include "ProxyServer.h"

namespace e2e {

inline const char* const filterPage = R"html(<!doctype html><html><head>
<link rel="stylesheet" href="http://tv.example/filter/style.css">
<link rel="stylesheet" href="http://tv.example/filter/mtrcss-style.css">
<script src="http://tv.example/filter/ok.js"></script>
<script src="http://cdn.admixer.example/filter/ad.js"></script>
</head><body style="margin:0;background:#00a000">
<img src="http://tv.example/filter/ok.png">
<img src="http://tv.example/filter/banner-vbm.gif">
<img src="http://tv.example/filter/ADMIXER.png">
<img src="http://tv.example/filter/go">
<img src="http://tv.example/filter/go-ad">
<iframe src="http://tv.example/filter/frame.html"></iframe>
<iframe src="http://rmbn.example/filter/frame.html"></iframe>
<audio src="http://tv.example/filter/ok.wav" preload="auto"></audio>
<audio src="http://tv.example/filter/am15/ad.wav" preload="auto"></audio>
<script>
function ask(u) { var x = new XMLHttpRequest(); x.open('GET', u); x.send(); }
ask('http://tv.example/filter/ok.txt');
ask('http://tv.example/filter/data.txt?from=yottos');
fetch('http://tv.example/filter/fetched.txt');
fetch('http://tv.example/filter/viboom.txt').catch(function() {});
</script></body></html>)html";

inline const char* const framePage = R"html(<!doctype html><html><body>
<img src="http://tv.example/filter/frame-ok.png">
<script src="http://tv.example/filter/frame-recreativ.js"></script>
</body></html>)html";

struct Expectation {
    const char* kind;
    const char* url;
    bool cancelled;
};

inline const Expectation filterExpectations[] = {
    {"main document", "http://tv.example/filter/index.html", false},
    {"style", "http://tv.example/filter/style.css", false},
    {"style", "http://tv.example/filter/mtrcss-style.css", true},
    {"script", "http://tv.example/filter/ok.js", false},
    {"script", "http://cdn.admixer.example/filter/ad.js", true},
    {"image", "http://tv.example/filter/ok.png", false},
    {"image", "http://tv.example/filter/banner-vbm.gif", true},
    {"image, token in capitals", "http://tv.example/filter/ADMIXER.png", false},
    {"redirecting image", "http://tv.example/filter/go", false},
    {"redirect hop", "http://tv.example/filter/landing.png", false},
    {"redirecting image", "http://tv.example/filter/go-ad", false},
    {"redirect hop", "http://ads.lumo-tv.test/filter/x.png", true},
    {"frame", "http://tv.example/filter/frame.html", false},
    {"frame", "http://rmbn.example/filter/frame.html", true},
    {"image in a frame", "http://tv.example/filter/frame-ok.png", false},
    {"script in a frame", "http://tv.example/filter/frame-recreativ.js", true},
    {"media", "http://tv.example/filter/ok.wav", false},
    {"media", "http://tv.example/filter/am15/ad.wav", true},
    {"XHR", "http://tv.example/filter/ok.txt", false},
    {"XHR", "http://tv.example/filter/data.txt?from=yottos", true},
    {"fetch", "http://tv.example/filter/fetched.txt", false},
    {"fetch", "http://tv.example/filter/viboom.txt", true},
};

inline void ServeFilterSite(ProxyServer& s)
{
    s.Serve("tv.example/filter/index.html", {"text/html; charset=utf-8", filterPage});
    s.Serve("tv.example/filter/frame.html", {"text/html; charset=utf-8", framePage});
    s.Serve("rmbn.example/filter/frame.html", {"text/html; charset=utf-8", framePage});
    for (const char* css : {"tv.example/filter/style.css", "tv.example/filter/mtrcss-style.css"})
        s.Serve(css, {"text/css", "img { width: 4px; height: 4px; }"});
    for (const char* js : {"tv.example/filter/ok.js", "cdn.admixer.example/filter/ad.js",
                           "tv.example/filter/frame-recreativ.js"})
        s.Serve(js, {"application/javascript", "var loaded = true;"});
    for (const char* png : {"tv.example/filter/ok.png", "tv.example/filter/ADMIXER.png",
                            "tv.example/filter/landing.png", "ads.lumo-tv.test/filter/x.png",
                            "tv.example/filter/frame-ok.png"})
        s.Serve(png, {"image/png", TinyPng()});
    s.Serve("tv.example/filter/banner-vbm.gif", {"image/gif", TinyGif()});
    s.Serve("tv.example/filter/go", {"text/plain", "", 302, "http://tv.example/filter/landing.png"});
    s.Serve("tv.example/filter/go-ad", {"text/plain", "", 302, "http://ads.lumo-tv.test/filter/x.png"});
    for (const char* wav : {"tv.example/filter/ok.wav", "tv.example/filter/am15/ad.wav"})
        s.Serve(wav, {"audio/wav", TinyWav()});
    for (const char* text : {"tv.example/filter/ok.txt", "tv.example/filter/data.txt",
                             "tv.example/filter/fetched.txt", "tv.example/filter/viboom.txt"})
        s.Serve(text, {"text/plain", "text"});
}

} // namespace e2e
