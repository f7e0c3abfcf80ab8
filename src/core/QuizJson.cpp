#include "QuizJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace quizjson {
namespace {

void appendString(QByteArray &out, const QString &text) {
    out += '"';
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<uchar>(c) < 0x20)
                out += QByteArray("\\u00") +
                       QByteArray::number(static_cast<uchar>(c), 16).rightJustified(2, '0');
            else
                out += c;
        }
    }
    out += '"';
}

void appendRecord(QByteArray &out, const QuizRecord &record) {
    out += "{\"Number\": " + QByteArray::number(record.number);
    out += ", \"ReportNumber\": " + QByteArray::number(record.reportNumber);
    for (QuizField field : kQuizFields) {
        out += ", \"" + fieldName(field).toLatin1() + "\": ";
        appendString(out, fieldText(record, field));
    }
    out += '}';
}

bool readNumber(const QJsonObject &object, const char *key, qint32 &value, QString &error) {
    const QJsonValue item = object.value(QLatin1String(key));
    const double number = item.toDouble();
    if (!item.isDouble() || number != std::trunc(number) || number < INT32_MIN ||
        number > INT32_MAX) {
        error = QString::fromUtf8("「%1」は 32 ビットの整数でなければなりません")
                    .arg(QLatin1String(key));
        return false;
    }
    value = static_cast<qint32>(number);
    return true;
}

bool readRecord(const QJsonValue &item, QuizRecord &record, QString &error) {
    if (!item.isObject()) {
        error = QString::fromUtf8("オブジェクトでなければなりません");
        return false;
    }
    const QJsonObject object = item.toObject();
    if (!readNumber(object, "Number", record.number, error) ||
        !readNumber(object, "ReportNumber", record.reportNumber, error))
        return false;
    for (QuizField field : kQuizFields) {
        const QJsonValue text = object.value(fieldName(field));
        if (!text.isString()) {
            error = QString::fromUtf8("「%1」は文字列でなければなりません").arg(fieldName(field));
            return false;
        }
        fieldText(record, field) = text.toString();
    }
    return true;
}

} // namespace

QByteArray write(const QList<QuizRecord> &records, qint64 trailingBytes) {
    QByteArray out = "{\"count\": " + QByteArray::number(records.size()) + ", \"records\": [";
    for (qsizetype i = 0; i < records.size(); ++i) {
        out += i == 0 ? "\n  " : ",\n  ";
        appendRecord(out, records[i]);
    }
    out += "\n], \"trailingBytes\": " + QByteArray::number(trailingBytes) + "}\n";
    return out;
}

bool read(const QByteArray &json, QList<QuizRecord> &records, QString &error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (document.isNull()) {
        error = QString::fromUtf8("JSON として読めません (オフセット %1: %2)")
                    .arg(parseError.offset)
                    .arg(parseError.errorString());
        return false;
    }
    const QJsonValue list = document.object().value(QLatin1String("records"));
    if (!document.isObject() || !list.isArray()) {
        error = QString::fromUtf8("「records」は配列でなければなりません");
        return false;
    }
    const QJsonArray array = list.toArray();
    if (array.isEmpty()) {
        error = QString::fromUtf8("「records」が空です (問題が 1 問以上必要です)");
        return false;
    }
    records.resize(array.size());
    for (qsizetype i = 0; i < array.size(); ++i) {
        if (!readRecord(array[i], records[i], error)) {
            error = QString::fromUtf8("レコード %1: %2").arg(i + 1).arg(error);
            return false;
        }
    }
    return true;
}

} // namespace quizjson
