#pragma once
// Answers the window's message boxes and file dialogs from a script and records
// what was shown.

#include "app/UserDialogs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>

namespace korvo::test {

class ScriptedDialogs : public UserDialogs {
public:
    // Answers for ask(), in order; Cancel when the script has run out.
    std::deque<DialogAnswer> answers;
    // Results of openFile()/saveFile(), in order; an empty string means "cancelled".
    std::deque<QString> files;

    // Everything shown, as "ask: Warning|Confirm: <text>", "inform: <text>", "warn: ...", "error: ...",
    // "open", "save: <preset>".
    QStringList shown;
    // The folder each file dialog started in.
    QStringList folders;

    DialogAnswer ask(DialogIcon icon, const QString& text, DialogButtons) override
    {
        shown << QStringLiteral("ask: %1: %2").arg(icon == DialogIcon::Warning ? "Warning" : "Confirm", text);
        return Next(answers, DialogAnswer::Cancel);
    }
    void inform(const QString& text) override { shown << QStringLiteral("inform: ") + text; }
    void warn(const QString& text) override { shown << QStringLiteral("warn: ") + text; }
    void error(const QString& text) override { shown << QStringLiteral("error: ") + text; }
    std::optional<QString> openFile(const QString& folder) override
    {
        shown << QStringLiteral("open");
        folders << folder;
        return File();
    }
    std::optional<QString> saveFile(const QString& folder, const QString& presetName) override
    {
        shown << QStringLiteral("save: ") + presetName;
        folders << folder;
        return File();
    }

private:
    template <class T>
    static T Next(std::deque<T>& queue, T fallback)
    {
        if (queue.empty())
            return fallback;
        T v = queue.front();
        queue.pop_front();
        return v;
    }
    std::optional<QString> File()
    {
        const QString f = Next(files, QString());
        return f.isEmpty() ? std::nullopt : std::optional<QString>(f);
    }
};

} // namespace korvo::test
