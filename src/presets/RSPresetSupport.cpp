#include "presets/RSPresetSupport.h"

#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSInspectorObject.h"
#include "inspector/RSItemProperty.h"
#include "inspector/RSPropertyPreset.h"
#include "platform/CodePage.h"
#include "presets/RSPresetDialogs.h"
#include "propgrid/RSStringList.h"
#include "reflection/RSConsts.h"
#include "reflection/StrUtils.h"

#include <QCursor>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace RSPresetSupport
{

TRSItemProperty *SenderRow(TRSObject *sender)
{
    return dynamic_cast<TRSItemProperty *>(sender);
}

TRSItemProperty *ServedRow(TRSPropertyPreset &preset, TRSObject *sender,
                           const std::string &propName)
{
    if (TRSItemProperty *row = SenderRow(sender))
        return row;
    TRSCustomObjectInspector *inspector = preset.Inspector();
    if (!inspector)
        return nullptr;
    return dynamic_cast<TRSItemProperty *>(inspector->Items()->FindPath(propName));
}

TPersistent *RowOwner(TRSItemProperty *row)
{
    TRSCustomObjectInspector *inspector = row ? row->Inspector() : nullptr;
    if (!inspector || inspector->Objects().Count() == 0)
        return nullptr;
    const bool multi = inspector->DisplayOptions() & doMultiColValues;
    const int column = multi ? std::max(inspector->CurrentField() - 1, 0) : 0;
    if (column >= inspector->Objects().Count())
        return nullptr;
    TPersistent *object = inspector->Objects().Item(column)->Instance();
    if (!object)
        return nullptr;
    std::string path = row->PropPath();
    return inspector->ResolveInstance(object, path, row);
}

void EditRowOwner(TRSObject *sender, const std::function<void(TPersistent *)> &dialog)
{
    TRSItemProperty *row = SenderRow(sender);
    if (!row || !dialog)
        return;
    if (TPersistent *owner = RowOwner(row))
        dialog(owner);
}

void EditRowDate(TRSObject *sender, bool keepOnScreen,
                 const std::function<std::string(double value, double chosen)> &text)
{
    TRSItemProperty *row = SenderRow(sender);
    const auto &editor = PresetDialogs().DateEditor;
    if (!row || !row->Inspector() || !editor)
        return;
    // The property itself: the stored value is not refreshed while the
    // preset supplies the row's text.
    const double value = row->GetFloatValue(-1);
    const auto chosen = editor(DateTimeToQt(value), QCursor::pos(), keepOnScreen);
    if (!chosen)
        return;
    row->SetValue(text(value, DateTimeFromQt(*chosen)));
    row->Validate();
}

int64_t ParseIntegerText(const std::string &text)
{
    const std::string trimmed = RSTrim(text);
    if (!trimmed.empty() && trimmed[0] == '$' && trimmed.size() > 1 && trimmed.size() <= 9) {
        uint32_t value = 0;
        bool ok = true;
        for (size_t i = 1; i < trimmed.size() && ok; ++i) {
            const char c = trimmed[i];
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                ok = false, digit = 0;
            value = value * 16 + static_cast<uint32_t>(digit);
        }
        if (ok)
            return static_cast<int32_t>(value);
    }
    int64_t value;
    if (StrUtils::ParseInt64(trimmed, value))
        return value;
    throw ERSException(RSFormat("'%s' is not a valid integer value", text));
}

int32_t ParseInt32Text(const std::string &text)
{
    const int64_t value = ParseIntegerText(text);
    if (value < INT32_MIN || value > INT32_MAX)
        throw ERSException(RSFormat("'%s' is not a valid integer value", text));
    return static_cast<int32_t>(value);
}

namespace
{

const QDate &Origin()
{
    static const QDate origin(1899, 12, 30);
    return origin;
}

// Tries each format in turn on the trimmed text; blanks of an edit mask
// count as nothing typed.
template <class T, class Parse>
bool TryFormats(const std::string &text, const QStringList &formats, Parse parse, T &result)
{
    QString s = CodePage::ToQString(text).trimmed();
    s.remove(QLatin1Char('_'));
    for (const QString &format : formats) {
        result = parse(s, format);
        if (result.isValid())
            return true;
    }
    return false;
}

QStringList DateFormats()
{
    const QString main = DateFormat();
    QString loose = main;
    loose.replace(QLatin1String("dd"), QLatin1String("d")).replace(QLatin1String("MM"), "M");
    const QLocale locale = QLocale::system();
    return {main, loose, locale.dateFormat(QLocale::ShortFormat),
            locale.dateFormat(QLocale::LongFormat), QStringLiteral("yyyy-MM-dd")};
}

QStringList TimeFormats()
{
    const QLocale locale = QLocale::system();
    return {TimeFormat(),
            QStringLiteral("h:mm:ss AP"),
            QStringLiteral("H:mm:ss"),
            QStringLiteral("h:mm AP"),
            QStringLiteral("H:mm"),
            locale.timeFormat(QLocale::ShortFormat),
            locale.timeFormat(QLocale::LongFormat)};
}

} // namespace

QString DateFormat()
{
    const QString locale = QLocale::system().dateFormat(QLocale::ShortFormat);
    struct Part {
        qsizetype Pos;
        const char *Text;
    };
    Part parts[] = {{locale.indexOf(QLatin1Char('d')), "dd"},
                    {locale.indexOf(QLatin1Char('M')), "MM"},
                    {locale.indexOf(QLatin1Char('y')), "yyyy"}};
    std::sort(std::begin(parts), std::end(parts),
              [](const Part &a, const Part &b) { return a.Pos < b.Pos; });
    return QString::fromLatin1(parts[0].Text) + QLatin1Char('/') +
           QString::fromLatin1(parts[1].Text) + QLatin1Char('/') +
           QString::fromLatin1(parts[2].Text);
}

QString TimeFormat()
{
    const QString locale = QLocale::system().timeFormat(QLocale::ShortFormat);
    const bool twelve = locale.contains(QLatin1String("AP"), Qt::CaseInsensitive);
    return twelve ? QStringLiteral("hh:mm:ss AP") : QStringLiteral("HH:mm:ss");
}

double DateTimeFromQt(const QDateTime &value)
{
    const double days = static_cast<double>(Origin().daysTo(value.date()));
    const double fraction = value.time().msecsSinceStartOfDay() / 86400000.0;
    // Before the origin the time still counts forward from midnight.
    return days < 0 ? days - fraction : days + fraction;
}

QDateTime DateTimeToQt(double value)
{
    const double days = std::trunc(value);
    const double fraction = std::fabs(value - days);
    const int msecs = static_cast<int>(std::llround(fraction * 86400000.0));
    QDate date = Origin().addDays(static_cast<qint64>(days));
    QTime time = QTime::fromMSecsSinceStartOfDay(std::min(msecs, 86399999));
    return QDateTime(date, time, Qt::UTC);
}

std::string DateText(double value)
{
    return CodePage::FromQString(DateTimeToQt(value).date().toString(DateFormat()));
}

std::string TimeText(double value)
{
    return CodePage::FromQString(QLocale::c().toString(DateTimeToQt(value).time(), TimeFormat()));
}

std::string DateTimeText(double value)
{
    return DateText(value) + ' ' + TimeText(value);
}

double ParseDate(const std::string &text)
{
    QDate date;
    const auto parse = [](const QString &s, const QString &f) { return QDate::fromString(s, f); };
    if (!TryFormats(text, DateFormats(), parse, date))
        throw ERSException(RSFormat("'%s' is not a valid date", text));
    return static_cast<double>(Origin().daysTo(date));
}

double ParseTime(const std::string &text)
{
    QTime time;
    const auto parse = [](const QString &s, const QString &f) { return QLocale::c().toTime(s, f); };
    if (!TryFormats(text, TimeFormats(), parse, time))
        throw ERSException(RSFormat("'%s' is not a valid time", text));
    return time.msecsSinceStartOfDay() / 86400000.0;
}

double ParseDateTime(const std::string &text)
{
    QDateTime value;
    QStringList formats;
    for (const QString &d : DateFormats())
        for (const QString &t : TimeFormats())
            formats << d + QLatin1Char(' ') + t;
    const auto parse = [](const QString &s, const QString &f) {
        QDateTime v = QLocale::c().toDateTime(s, f);
        v.setTimeSpec(Qt::UTC);
        return v;
    };
    if (!TryFormats(text, formats, parse, value)) {
        // A date alone is that day at midnight.
        try {
            return ParseDate(text);
        } catch (const std::exception &) {
            throw ERSException(RSFormat("'%s' is not a valid date and time", text));
        }
    }
    return DateTimeFromQt(value);
}

} // namespace RSPresetSupport
