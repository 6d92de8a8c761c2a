#pragma once

class HelpService;
class Modal;
class OpenDocument;
class Prompter;
class QWidget;
namespace ql {
class Clock;
class FileSystem;
}  // namespace ql

// What every menu command is given: the services, the document (the open file set, the
// running projects, the update hints) and the window that owns its dialogs. All outlive
// the command.
struct CommandContext {
    Prompter& prompter;
    Modal& modal;
    HelpService& help;
    const ql::Clock& clock;
    ql::FileSystem& fileSystem;
    OpenDocument& document;
    QWidget* parent;
};

// A menu command: one free function in the folder of its area.
using Command = void (*)(const CommandContext&);
