#pragma once

class HelpService;
class InvoiceRequestStore;
class Modal;
class OpenDocument;
class Prompter;
class QWidget;
namespace ql {
class Clock;
class FileSystem;
}  // namespace ql

// What every menu command is given: the services, the document (the open file set, the
// running projects, the update hints), the window that owns its dialogs, and where the
// invoice command leaves the request that the invoice hint prints. All outlive the command.
struct CommandContext {
    Prompter& prompter;
    Modal& modal;
    HelpService& help;
    const ql::Clock& clock;
    ql::FileSystem& fileSystem;
    OpenDocument& document;
    QWidget* parent;
    InvoiceRequestStore& invoiceRequests;
};

// A menu command: one free function in the folder of its area.
using Command = void (*)(const CommandContext&);
