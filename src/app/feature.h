// A feature of the main window: an object in its own files, made with the
// window (its host) once the window, its controls and its settings exist. Its
// constructor registers what it brings with the host: commands and menu lists,
// message handlers, handlers of the host's events, and the settings it keeps.
// Another feature reaches it through host.Feature<T>().
#pragma once

namespace typorama::app {

class WindowFeature {
public:
    WindowFeature() = default;
    virtual ~WindowFeature() = default;
    WindowFeature(const WindowFeature&) = delete;
    WindowFeature& operator=(const WindowFeature&) = delete;
};

}  // namespace typorama::app
