#include "tools/replay/script_runner.h"

#include "form/quote.h"

#include <QRegularExpression>

#include <optional>

namespace ml {

namespace {

QString bit(bool b) {
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

QString describe(const Control& c) {
    QString text;
    if (const auto* t = dynamic_cast<const TextControl*>(&c))
        text = t->text;
    if (const auto* combo = dynamic_cast<const ComboBox*>(&c))
        text = combo->currentText();
    QString line = QStringLiteral("%1 %2 visible=%3 enabled=%4")
                       .arg(c.name, quoted(text), bit(c.visible), bit(c.enabled));
    if (const auto* box = dynamic_cast<const CheckBox*>(&c))
        line += QStringLiteral(" value=%1").arg(box->value());
    if (const auto* item = dynamic_cast<const MenuItem*>(&c))
        line += QStringLiteral(" checked=%1").arg(bit(item->checked));
    if (const auto* combo = dynamic_cast<const ComboBox*>(&c))
        line += QStringLiteral(" items=%1").arg(quoted(combo->items.join(QLatin1Char('|'))));
    if (const auto* box = dynamic_cast<const TextBox*>(&c))
        line += QStringLiteral(" color=%1")
                    .arg(QString::number(box->foreColor, 16)
                             .rightJustified(6, QLatin1Char('0'))
                             .toUpper());
    return line;
}

// The text of a `type` line: "\xHH" is the character HH, "\\" a backslash; any other
// backslash stands for itself.
QString unescaped(const QString& text) {
    static const QRegularExpression escape(QStringLiteral(R"(\\(x[0-9A-Fa-f]{2}|\\))"));
    QString out;
    qsizetype from = 0;
    for (auto it = escape.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString what = m.captured(1);
        out += text.mid(from, m.capturedStart() - from);
        out += what.size() == 1 ? QChar(u'\\') : QChar(what.mid(1).toUShort(nullptr, 16));
        from = m.capturedEnd();
    }
    return out + text.mid(from);
}

bool knownCommand(const QString& cmd) {
    static const QStringList known = {
        QStringLiteral("tick"),     QStringLiteral("tenths"),      QStringLiteral("click"),
        QStringLiteral("type"),     QStringLiteral("focus"),       QStringLiteral("show"),
        QStringLiteral("select"),   QStringLiteral("boundary"),    QStringLiteral("run"),
        QStringLiteral("key"),      QStringLiteral("press"),       QStringLiteral("release"),
        QStringLiteral("setting"),  QStringLiteral("second-line"), QStringLiteral("remote"),
        QStringLiteral("while-box")};
    return known.contains(cmd);
}

bool fail(QString& error, const QString& message) {
    error = message;
    return false;
}

std::optional<int> count(const QStringList& args) {
    if (args.isEmpty())
        return 1;
    bool ok = false;
    const int n = args[0].toInt(&ok);
    if (args.size() != 1 || !ok || n < 0)
        return std::nullopt;
    return n;
}

} // namespace

ScriptRunner::ScriptRunner(Trace print)
    : print_(print), dialogs_(print), shell_(print), device_(print),
      device2_(print, QStringLiteral("2")), horn_(clock_, std::move(print)) {
    dialogs_.whileOpen = [this] {
        QString error;
        if (!boxLine_.isEmpty() && !run(std::exchange(boxLine_, {}), error))
            say(QStringLiteral("error: ") + error);
    };
}

bool ScriptRunner::run(const QString& line, QString& error) {
    const QString cmd = line.section(QLatin1Char(' '), 0, 0);
    const QString rest = line.section(QLatin1Char(' '), 1);
    const QStringList args = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);

    if (cmd == QLatin1String("time")) {
        clock_.passUntil(rest.trimmed());
        return true;
    }
    if (cmd == QLatin1String("clock-set")) {
        if (!clock_.setComputerClock(rest.trimmed()))
            return fail(error, QStringLiteral("clock-set takes hh:mm:ss"));
        return true;
    }
    if (cmd == QLatin1String("ports")) {
        device_.openable.clear();
        for (const QString& n : rest.split(QLatin1Char(','), Qt::SkipEmptyParts))
            device_.openable.insert(n.trimmed().toInt());
        device2_.openable = device_.openable;
        return true;
    }
    if (cmd == QLatin1String("answer")) {
        if (rest == QLatin1String("OK"))
            dialogs_.answerNext(Answer::Ok);
        else if (rest == QLatin1String("Cancel"))
            dialogs_.answerNext(Answer::Cancel);
        else if (rest == QLatin1String("Yes"))
            dialogs_.answerNext(Answer::Yes);
        else if (rest == QLatin1String("No"))
            dialogs_.answerNext(Answer::No);
        else
            return fail(error, QStringLiteral("answer takes OK, Cancel, Yes or No"));
        return true;
    }
    if (cmd == QLatin1String("device"))
        return deviceCommand(args, error);
    if (cmd == QLatin1String("audio")) {
        if (rest != QLatin1String("missing") && rest != QLatin1String("present"))
            return fail(error, QStringLiteral("audio takes missing or present"));
        horn_.missing = rest == QLatin1String("missing");
        return true;
    }
    if (cmd == QLatin1String("start")) {
        if (program_)
            return fail(error, QStringLiteral("start given twice"));
        program_ = std::make_unique<Program>(clock_, dialogs_, shell_, device_, horn_, storage_,
                                             &device2_);
        // "Ende" closes the window, which ends the program.
        program_->closeWindow = [this] { say(QStringLiteral("exit")); };
        program_->start();
        return true;
    }
    if (!program_) {
        if (knownCommand(cmd))
            return fail(error, QStringLiteral("'%1' before start").arg(cmd));
        return fail(error, QStringLiteral("unknown command '%1'").arg(cmd));
    }
    Program& p = *program_;
    if (cmd == QLatin1String("tick") || cmd == QLatin1String("tenths")) {
        const std::optional<int> n = count(args);
        if (!n)
            return fail(error, QStringLiteral("%1 takes a count").arg(cmd));
        for (int i = 0; i < *n; ++i)
            cmd == QLatin1String("tick") ? p.tick() : p.tenths();
        return true;
    }
    if (cmd == QLatin1String("boundary") || cmd == QLatin1String("run")) {
        qint64 ms = 0;
        if (cmd == QLatin1String("run")) {
            bool ok = false;
            ms = rest.toLongLong(&ok);
            if (!ok || ms < 0 || args.size() != 1)
                return fail(error, QStringLiteral("run takes milliseconds"));
        } else if (rest == QLatin1String("second") || rest == QLatin1String("tenth")) {
            ms = rest == QLatin1String("second") ? clock_.msToNextSecond() : clock_.msToNextTenth();
        } else {
            return fail(error, QStringLiteral("boundary takes second or tenth"));
        }
        p.passTime(ms, [this](qint64 step) { clock_.advanceMs(step); });
        return true;
    }
    if (cmd == QLatin1String("click")) {
        if (args.isEmpty() || args.size() > 2)
            return fail(error, QStringLiteral("click takes a name and an optional index"));
        const int index = args.size() == 2 ? args[1].toInt() : 0;
        Control* c = p.find(args[0], index);
        if (c == nullptr || !p.click(*c))
            return fail(error, QStringLiteral("cannot click '%1'").arg(rest));
        return true;
    }
    if (cmd == QLatin1String("type")) {
        const QString name = rest.section(QLatin1Char(' '), 0, 0);
        const QString text = unescaped(rest.mid(name.size() + 1));
        Control* c = p.find(name);
        if (c == nullptr || !p.type(*c, text))
            return fail(error, QStringLiteral("no text box '%1'").arg(name));
        return true;
    }
    if (cmd == QLatin1String("select")) {
        const QString name = rest.section(QLatin1Char(' '), 0, 0);
        Control* c = p.find(name);
        if (c == nullptr || !p.select(*c, rest.mid(name.size() + 1)))
            return fail(error, QStringLiteral("cannot select '%1'").arg(rest));
        return true;
    }
    if (cmd == QLatin1String("press") || cmd == QLatin1String("release")) {
        Control* c = args.size() == 1 ? p.find(args[0]) : nullptr;
        if (c == nullptr || !p.hold(*c, cmd == QLatin1String("press")))
            return fail(error, QStringLiteral("cannot %1 '%2'").arg(cmd, rest));
        return true;
    }
    if (cmd == QLatin1String("setting"))
        return settingCommand(p, args, error);
    if (cmd == QLatin1String("second-line"))
        return secondLineCommand(p, args, error);
    if (cmd == QLatin1String("focus")) {
        Control* c = args.size() == 1 ? p.find(args[0]) : nullptr;
        if (c == nullptr)
            return fail(error, QStringLiteral("cannot focus '%1'").arg(rest));
        p.focus(*c);
        return true;
    }
    if (cmd == QLatin1String("key")) {
        if (args.size() != 1 || !p.key(args[0]))
            return fail(error, QStringLiteral("no key '%1'").arg(rest));
        // Pressed and let go: what acts while held does so briefly.
        p.key(args[0], false);
        return true;
    }
    if (cmd == QLatin1String("remote"))
        return remoteCommand(p, rest, error);
    if (cmd == QLatin1String("while-box")) {
        boxLine_ = rest;
        return true;
    }
    if (cmd == QLatin1String("show")) {
        if (args.isEmpty() || args.size() > 2)
            return fail(error, QStringLiteral("show takes a name"));
        return show(p, args, error);
    }
    return fail(error, QStringLiteral("unknown command '%1'").arg(cmd));
}

// Faults and line speed of the fake serial device; "device 2 …" those of the second line's.
bool ScriptRunner::deviceCommand(const QStringList& given, QString& error) {
    const bool second = given.value(0) == QLatin1String("2");
    FakeSerialDevice& device = second ? device2_ : device_;
    const QStringList args = second ? given.mid(1) : given;
    const QString what = args.value(0);
    const QString how = args.value(1);
    if (what == QLatin1String("fail") && args.size() >= 2) {
        device.fail(args.mid(1).join(QLatin1Char(' ')));
    } else if (what == QLatin1String("drain") && args.size() == 1) {
        device.drain();
    } else if (what == QLatin1String("writes") && (how == "ok" || how == "refused")) {
        device.failWrite = how == QLatin1String("refused");
    } else if (what == QLatin1String("close") && (how == "ok" || how == "fails")) {
        device.failClose = how == QLatin1String("fails");
    } else if (what == QLatin1String("line") && (how == "fast" || how == "slow")) {
        device.holdWrites = how == QLatin1String("slow");
    } else if (what == QLatin1String("denied") && args.size() <= 2) {
        device.denied.clear();
        for (const QString& n : how.split(QLatin1Char(','), Qt::SkipEmptyParts))
            device.denied.insert(n.trimmed().toInt());
    } else {
        return fail(error, QStringLiteral("device takes: [2] fail REASON | drain | writes "
                                          "ok|refused | close ok|fails | line fast|slow | denied "
                                          "[N,N...]"));
    }
    return true;
}

// "Extras → Zweite Anzeigelinie…": `second-line N [mirror] [BAUD]` opens the second line on port
// N, `second-line off` closes it.
bool ScriptRunner::secondLineCommand(Program& p, const QStringList& args, QString& error) {
    const Form& f = p.form;
    if (args == QStringList{QStringLiteral("off")}) {
        p.secondLine(0, f.Line2Mirror, f.Line2Baud);
        return true;
    }
    bool ok = false;
    const int n = args.value(0).toInt(&ok);
    bool mirror = false;
    int baud = f.Line2Baud;
    for (const QString& option : args.mid(1)) {
        if (option == QLatin1String("mirror"))
            mirror = true;
        else if (const int b = option.toInt(); b == 1200 || b == 2400 || b == 4800 || b == 9600)
            baud = b;
        else
            ok = false;
    }
    if (!ok || n < 1 || n > 16)
        return fail(error, QStringLiteral("second-line takes a port 1..16 with mirror and a line "
                                          "speed, or off"));
    p.secondLine(n, mirror, baud);
    return true;
}

// The settings of "Extras → Hupe…", as the dialog writes them; `setting Test` is its button.
bool ScriptRunner::settingCommand(Program& p, const QStringList& args, QString& error) {
    const QString name = args.value(0);
    bool ok = args.size() == 2;
    const int value = args.value(1).toInt(&ok);
    if (name == QLatin1String("Test") && args.size() == 1) {
        p.horn.test();
        return true;
    }
    if (!ok || args.size() != 2)
        return fail(error, QStringLiteral("setting takes a name and a number, or Test"));
    if (name == QLatin1String("HornOn"))
        p.form.HornOn = value != 0;
    else if (name == QLatin1String("HornLength"))
        p.form.HornLength = value;
    else if (name == QLatin1String("HornVolume"))
        p.form.HornVolume = value;
    else if (name == QLatin1String("StopAtZero"))
        p.form.StopAtZero = value != 0;
    else
        return fail(error, QStringLiteral("unknown setting '%1'").arg(name));
    p.settingsChanged();
    return true;
}

bool ScriptRunner::show(Program& p, const QStringList& args, QString& error) {
    const QString& name = args[0];
    if (name == QLatin1String("HLProgr")) {
        const int i = args.size() == 2 ? args[1].toInt() : 0;
        if (i < 1 || i > 16)
            return fail(error, QStringLiteral("HLProgr takes an index 1..16"));
        say(describe(*p.form.HLProgr[i]) + QStringLiteral(" index=%1").arg(i));
        return true;
    }
    if (name == QLatin1String("frmMessage")) {
        say(QStringLiteral("frmMessage exists=%1").arg(bit(p.form.frmMessage.exists)));
        return true;
    }
    if (const Control* c = p.find(name)) {
        say(describe(*c));
        return true;
    }
    if (const Timer* t = p.form.timer(name)) {
        say(QStringLiteral("%1 interval=%2 enabled=%3")
                .arg(t->name)
                .arg(t->interval)
                .arg(bit(t->enabled)));
        return true;
    }
    if (const std::optional<QString> v = p.form.fieldText(name)) {
        say(QStringLiteral("%1=%2").arg(name, *v));
        return true;
    }
    return fail(error, QStringLiteral("unknown name '%1'").arg(name));
}

// Remote N comes from 192.168.1.N and connects when it is first named; what it is sent is
// printed. In its message "$KEY" stands for the key, "$AT" for the computer's clock in ms (with
// "+MS" or "-MS" after it, that much later or earlier).
bool ScriptRunner::remoteCommand(Program& p, const QString& rest, QString& error) {
    bool ok = false;
    const int n = rest.section(QLatin1Char(' '), 0, 0).toInt(&ok);
    const QString message = rest.section(QLatin1Char(' '), 1);
    if (!ok || n < 1 || n > 254 || message.isEmpty())
        return fail(error, QStringLiteral("remote takes a number from 1 to 254 and a message"));
    if (!remote_) {
        remote_ = std::make_unique<web::RemoteControl>(p, clock_, storage_);
        const auto number = [this](int id) {
            for (const auto& [remote, connection] : remotes_)
                if (connection == id)
                    return remote;
            return 0;
        };
        remote_->send = [this, number](int id, const QByteArray& m) {
            say(QStringLiteral("remote %1 <- %2").arg(number(id)).arg(QString::fromUtf8(m)));
        };
        remote_->cut = [this, number](int id) {
            say(QStringLiteral("remote %1 cut").arg(number(id)));
            remotes_.erase(number(id));
            remote_->close(id);
        };
    }
    int& id = remotes_[n];
    if (message == QLatin1String("close")) {
        remote_->close(id);
        remotes_.erase(n);
        return true;
    }
    if (id == 0 && (id = remote_->open(QHostAddress(QStringLiteral("192.168.1.%1").arg(n)))) == 0) {
        say(QStringLiteral("remote %1 refused").arg(n));
        remotes_.erase(n);
        return true;
    }
    static const QRegularExpression at(QStringLiteral(R"(\$AT([+-]\d+)?)"));
    QString text = message;
    text.replace(QLatin1String("$KEY"), remote_->keyText());
    for (QRegularExpressionMatch m = at.match(text); m.hasMatch(); m = at.match(text))
        text.replace(m.capturedStart(), m.capturedLength(),
                     QString::number(clock_.wallMs() + m.captured(1).toLongLong()));
    remote_->receive(id, text.toUtf8());
    return true;
}

} // namespace ml
