// What the main window's close query asks of the log recorder: whether it
// records, whether its chart holds samples in no saved file, and to let those
// go. The log window answers; app/ToolWindows hands it to the main window.
#pragma once

namespace bxl::ui {

class RecordingStatus {
public:
    virtual ~RecordingStatus() = default;
    // The log-active flag: 1 while recording.
    virtual bool logActive() const = 0;
    // The chart holds samples that are in no saved file.
    virtual bool unsavedSamples() const = 0;
    // The engineer closes the program without saving them.
    virtual void discardUnsavedSamples() = 0;
};

}  // namespace bxl::ui
