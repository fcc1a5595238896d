#pragma once
// The program's exception types. Handlers let them reach the default error
// report (see ErrorGuard.h), which shows their text and lets the program go on.
#include <QString>
#include <stdexcept>

class KalvoroError : public std::runtime_error {
public:
    explicit KalvoroError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// A text that should have been a whole number was not.
class ConvertError : public KalvoroError {
public:
    using KalvoroError::KalvoroError;
};

// The audio layer could not tell or play a file's format.
class SoundFileError : public KalvoroError {
public:
    using KalvoroError::KalvoroError;
};

// The settings file could not be written.
class SettingsFileError : public KalvoroError {
public:
    using KalvoroError::KalvoroError;
};

// A database statement failed outside the query helpers.
class DatabaseError : public KalvoroError {
public:
    using KalvoroError::KalvoroError;
};

// Text to integer as the settings readers need it: decimal with an optional
// sign, surrounding blanks allowed, anything else raises ConvertError.
int StrToInt(const QString& text);
// The same without raising: false when the text is not an integer.
bool TryStrToInt(const QString& text, int& value);
