// marklight-replay: drives the real program core with the fake platform from a script and prints
// what happens. One command a line; see the README for the commands and the output.

#include "core/program.h"
#include "form/quote.h"
#include "platform/fakes/fakes.h"

#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

using namespace ml;

void print(const QString& line) {
    const QByteArray utf8 = line.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stdout);
    std::fputc('\n', stdout);
}

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
    return line;
}

class Replay {
  public:
    Replay() : dialogs_(print), shell_(print), device_(print) {}

    // Runs one script line; false with `error` set when the line is wrong.
    bool run(const QString& line, QString& error) {
        const QString cmd = line.section(QLatin1Char(' '), 0, 0);
        const QString rest = line.section(QLatin1Char(' '), 1);
        const QStringList args = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);

        if (cmd == QLatin1String("time")) {
            clock_.set(rest.trimmed());
            return true;
        }
        if (cmd == QLatin1String("ports")) {
            device_.openable.clear();
            for (const QString& n : rest.split(QLatin1Char(','), Qt::SkipEmptyParts))
                device_.openable.insert(n.trimmed().toInt());
            return true;
        }
        if (cmd == QLatin1String("answer")) {
            if (rest == QLatin1String("OK"))
                dialogs_.answerNext(Answer::Ok);
            else if (rest == QLatin1String("Cancel"))
                dialogs_.answerNext(Answer::Cancel);
            else
                return fail(error, QStringLiteral("answer takes OK or Cancel"));
            return true;
        }
        if (cmd == QLatin1String("device"))
            return deviceCommand(args, error);
        if (cmd == QLatin1String("start")) {
            if (program_)
                return fail(error, QStringLiteral("start given twice"));
            program_ = std::make_unique<Program>(clock_, dialogs_, shell_, device_);
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
        if (cmd == QLatin1String("click")) {
            if (args.isEmpty() || args.size() > 2)
                return fail(error, QStringLiteral("click takes a name and an optional index"));
            const int index = args.size() == 2 ? args[1].toInt() : 0;
            if (!p.click(args[0], index))
                return fail(error, QStringLiteral("cannot click '%1'").arg(rest));
            return true;
        }
        if (cmd == QLatin1String("type")) {
            const QString name = rest.section(QLatin1Char(' '), 0, 0);
            const QString text = rest.mid(name.size() + 1);
            if (!p.type(name, text))
                return fail(error, QStringLiteral("no text box '%1'").arg(name));
            return true;
        }
        if (cmd == QLatin1String("select")) {
            const QString name = rest.section(QLatin1Char(' '), 0, 0);
            if (!p.select(name, rest.mid(name.size() + 1)))
                return fail(error, QStringLiteral("cannot select '%1'").arg(rest));
            return true;
        }
        if (cmd == QLatin1String("focus")) {
            if (args.size() != 1 || !p.focus(args[0]))
                return fail(error, QStringLiteral("cannot focus '%1'").arg(rest));
            return true;
        }
        if (cmd == QLatin1String("show")) {
            if (args.isEmpty() || args.size() > 2)
                return fail(error, QStringLiteral("show takes a name"));
            return show(p, args, error);
        }
        return fail(error, QStringLiteral("unknown command '%1'").arg(cmd));
    }

  private:
    // Faults and line speed of the fake serial device.
    bool deviceCommand(const QStringList& args, QString& error) {
        const QString what = args.value(0);
        const QString how = args.value(1);
        if (what == QLatin1String("fail") && args.size() >= 2) {
            device_.fail(args.mid(1).join(QLatin1Char(' ')));
        } else if (what == QLatin1String("drain") && args.size() == 1) {
            device_.drain();
        } else if (what == QLatin1String("writes") && (how == "ok" || how == "refused")) {
            device_.failWrite = how == QLatin1String("refused");
        } else if (what == QLatin1String("close") && (how == "ok" || how == "fails")) {
            device_.failClose = how == QLatin1String("fails");
        } else if (what == QLatin1String("line") && (how == "fast" || how == "slow")) {
            device_.holdWrites = how == QLatin1String("slow");
        } else {
            return fail(error,
                        QStringLiteral("device takes: fail REASON | drain | writes ok|refused"
                                       " | close ok|fails | line fast|slow"));
        }
        return true;
    }

    static bool knownCommand(const QString& cmd) {
        static const QStringList known = {QStringLiteral("tick"),  QStringLiteral("tenths"),
                                          QStringLiteral("click"), QStringLiteral("type"),
                                          QStringLiteral("focus"), QStringLiteral("show"),
                                          QStringLiteral("select")};
        return known.contains(cmd);
    }
    static bool fail(QString& error, const QString& message) {
        error = message;
        return false;
    }
    static std::optional<int> count(const QStringList& args) {
        if (args.isEmpty())
            return 1;
        bool ok = false;
        const int n = args[0].toInt(&ok);
        if (args.size() != 1 || !ok || n < 0)
            return std::nullopt;
        return n;
    }

    bool show(Program& p, const QStringList& args, QString& error) {
        const QString& name = args[0];
        if (name == QLatin1String("HLProgr")) {
            const int i = args.size() == 2 ? args[1].toInt() : 0;
            if (i < 1 || i > 16)
                return fail(error, QStringLiteral("HLProgr takes an index 1..16"));
            print(describe(*p.form.HLProgr[i]) + QStringLiteral(" index=%1").arg(i));
            return true;
        }
        if (name == QLatin1String("frmMessage")) {
            print(QStringLiteral("frmMessage exists=%1").arg(bit(p.form.frmMessage.exists)));
            return true;
        }
        if (const Control* c = p.form.control(name)) {
            print(describe(*c));
            return true;
        }
        for (const Control* c : p.form.frmMessage.controls()) {
            if (c->name == name) {
                print(describe(*c));
                return true;
            }
        }
        if (const Timer* t = p.form.timer(name)) {
            print(QStringLiteral("%1 interval=%2 enabled=%3")
                      .arg(t->name)
                      .arg(t->interval)
                      .arg(bit(t->enabled)));
            return true;
        }
        if (const std::optional<QString> v = p.form.fieldText(name)) {
            print(QStringLiteral("%1=%2").arg(name, *v));
            return true;
        }
        return fail(error, QStringLiteral("unknown name '%1'").arg(name));
    }

    FakeClock clock_;
    FakeDialogs dialogs_;
    FakeShell shell_;
    FakeSerialDevice device_;
    std::unique_ptr<Program> program_;
};

} // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: marklight-replay [SCRIPT]\n");
        return 2;
    }
    QFile file;
    if (argc == 2) {
        file.setFileName(QString::fromLocal8Bit(argv[1]));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            std::fprintf(stderr, "marklight-replay: cannot read %s\n", argv[1]);
            return 2;
        }
    } else if (!file.open(stdin, QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "marklight-replay: cannot read standard input\n");
        return 2;
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    Replay replay;
    int lineNo = 0;
    while (!in.atEnd()) {
        const QString raw = in.readLine();
        ++lineNo;
        QString line = raw;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#')))
            continue;
        QString error;
        if (!replay.run(line, error)) {
            std::fflush(stdout);
            std::fprintf(stderr, "line %d: %s\n", lineNo, error.toUtf8().constData());
            return 2;
        }
    }
    std::fflush(stdout);
    return 0;
}
