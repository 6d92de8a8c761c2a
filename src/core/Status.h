#pragma once

#include "core/text/Messages.h"

#include <string>
#include <utility>
#include <variant>

namespace ql {

enum class StatusCode { Ok, NotFound, IoError, InvalidArgument, Cancelled };

// Outcome of a fallible core call. A failure carries the message the user is shown, by its id
// and parts (the window translates it), and its English text (the command line prints it).
class Status {
public:
    Status() = default;
    static Status ok() { return {}; }
    static Status notFound(Message message) { return {StatusCode::NotFound, std::move(message)}; }
    static Status ioError(Message message) { return {StatusCode::IoError, std::move(message)}; }
    static Status invalidArgument(Message message) { return {StatusCode::InvalidArgument, std::move(message)}; }
    // The command line's own messages, never translated. The core names its messages by id.
    static Status notFound(std::string text) { return notFound(Message::freeText(std::move(text))); }
    static Status ioError(std::string text) { return ioError(Message::freeText(std::move(text))); }
    static Status invalidArgument(std::string text) { return invalidArgument(Message::freeText(std::move(text))); }
    // The user stopped the work (Progress); nothing to report, nothing was kept.
    static Status cancelled() { return {StatusCode::Cancelled, Message(MessageId::Cancelled)}; }
    bool isCancelled() const { return m_code == StatusCode::Cancelled; }

    bool isOk() const { return m_code == StatusCode::Ok; }
    explicit operator bool() const { return isOk(); }
    StatusCode code() const { return m_code; }
    // The English text of the message.
    const std::string& message() const { return m_message; }
    // The message by id and parts, for a front end that words it in its own language.
    const Message& userMessage() const { return m_userMessage; }
    // The system's reason behind a failure ("No space left on device"); empty when none.
    // Message boxes show message() alone; the command line adds the reason after it.
    const std::string& reason() const { return m_reason; }
    Status withReason(std::string reason) const& {
        Status s = *this;
        s.m_reason = std::move(reason);
        return s;
    }
    // The message, then the reason in parentheses when there is one.
    std::string messageWithReason() const { return m_reason.empty() ? m_message : m_message + " (" + m_reason + ")"; }

private:
    Status(StatusCode code, Message message)
        : m_code(code), m_userMessage(std::move(message)), m_message(englishText(m_userMessage)) {}
    StatusCode m_code = StatusCode::Ok;
    Message m_userMessage;
    std::string m_message;
    std::string m_reason;
};

// A value or the Status of why there is none.
template <typename T>
class Result {
public:
    Result(T value) : m_data(std::move(value)) {}            // NOLINT(google-explicit-constructor)
    Result(Status status) : m_data(std::move(status)) {}     // NOLINT(google-explicit-constructor)

    bool isOk() const { return std::holds_alternative<T>(m_data); }
    explicit operator bool() const { return isOk(); }
    const T& value() const& { return std::get<T>(m_data); }
    T& value() & { return std::get<T>(m_data); }
    // By value, so `for (auto& x : *load())` never refers into a destroyed temporary.
    T value() && { return std::get<T>(std::move(m_data)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    T operator*() && { return std::move(*this).value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }
    // The failure; Status::ok() when a value is held.
    Status status() const { return isOk() ? Status::ok() : std::get<Status>(m_data); }
    T valueOr(T fallback) const& { return isOk() ? value() : std::move(fallback); }

private:
    std::variant<T, Status> m_data;
};

}  // namespace ql
