#pragma once
// FileDropHandler: what a program registers on the application to receive
// the files a user drops on its window (see Application::addFileDropHandler).
// The path is the dropped file's on the system it runs on, outside the
// engine's file system; the handler reads it with a bounded reader of its
// own and tells the user (the log) what it made of it.

namespace Quorvel {

class String;

class FileDropHandler {
public:
    FileDropHandler() = default;
    virtual ~FileDropHandler();

    FileDropHandler(const FileDropHandler&) = delete;
    FileDropHandler& operator=(const FileDropHandler&) = delete;

    // One dropped file: called once per file, on the main loop's thread.
    virtual void fileDropped(const String& path) = 0;
};

} // namespace Quorvel
