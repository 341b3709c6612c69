#include "framework/WindowMap.h"

#include <mutex>
#include <unordered_map>

namespace {

// Any thread may bind or look up its windows.
struct Bindings {
    std::mutex lock;
    std::unordered_map<HWND, CWnd*> objects;
};

Bindings& TheBindings() {
    static Bindings bindings;
    return bindings;
}

}  // namespace

void WindowMap::Add(HWND hWnd, CWnd* wnd) {
    Bindings& b = TheBindings();
    std::lock_guard<std::mutex> guard(b.lock);
    b.objects[hWnd] = wnd;
}

void WindowMap::Remove(HWND hWnd) {
    Bindings& b = TheBindings();
    std::lock_guard<std::mutex> guard(b.lock);
    b.objects.erase(hWnd);
}

CWnd* WindowMap::Find(HWND hWnd) {
    Bindings& b = TheBindings();
    std::lock_guard<std::mutex> guard(b.lock);
    const auto it = b.objects.find(hWnd);
    return it == b.objects.end() ? nullptr : it->second;
}
