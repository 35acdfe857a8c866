#include "ResultJson.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonObject Object(const QString& json) {
    return QJsonDocument::fromJson(json.toUtf8()).object();
}

// Grades and the figures of other kinds are left out where they do not apply (NULL).
void PutPositive(QJsonObject& object, const char* name, int value) {
    if (value > 0) {
        object.insert(QLatin1String(name), value);
    }
}

} // namespace

std::string ResultJson::Payload(const ClassResult& result) {
    QJsonObject object;
    object.insert(QStringLiteral("id"), QString::fromStdString(result.id));
    object.insert(QStringLiteral("kind"),
                  QString::fromLatin1(KindName(result.kind).data(),
                                      static_cast<qsizetype>(KindName(result.kind).size())));
    object.insert(QStringLiteral("ended_at"),
                  QDateTime::fromSecsSinceEpoch(result.endedAt, Qt::UTC).toString(Qt::ISODate));
    if (result.kind == ResultKind::Lesson) {
        object.insert(QStringLiteral("lesson"), result.lesson);
        object.insert(QStringLiteral("qwertz"), result.qwertz);
    }
    if (!result.title.empty()) {
        object.insert(QStringLiteral("title"), QString::fromStdString(result.title));
    }
    object.insert(QStringLiteral("keystrokes"), result.keystrokes);
    object.insert(QStringLiteral("correct"), result.correct);
    object.insert(QStringLiteral("errors"), result.errors);
    object.insert(QStringLiteral("typing_ms"), result.typingMs);
    object.insert(QStringLiteral("average_speed"), result.averageSpeed);
    object.insert(QStringLiteral("absolute_speed"), result.absoluteSpeed);
    if (result.kind == ResultKind::CopyTest) {
        object.insert(QStringLiteral("net_speed"), result.netSpeed); // 0 is a copy's result too
    } else {
        PutPositive(object, "net_speed", result.netSpeed);
    }
    PutPositive(object, "error_grade", result.errorGrade);
    PutPositive(object, "speed_grade", result.speedGrade);
    PutPositive(object, "grade", result.grade);
    object.insert(QStringLiteral("passed"), result.passed);
    if (result.kind == ResultKind::CopyTest) {
        object.insert(QStringLiteral("minutes"), result.minutes);
        object.insert(QStringLiteral("rules"), QString::fromStdString(result.rules));
        object.insert(QStringLiteral("gross_speed"), result.grossSpeed);
        object.insert(QStringLiteral("accuracy"), result.accuracyHundredths / 100.0);
    }
    QJsonObject keyErrors;
    for (const auto& [character, count] : result.keyErrors) {
        keyErrors.insert(QString::fromStdString(character), count);
    }
    object.insert(QStringLiteral("key_errors"), keyErrors);
    QJsonObject details;
    for (const auto& [name, value] : result.details) {
        details.insert(QString::fromStdString(name), value);
    }
    object.insert(QStringLiteral("details"), details);
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

std::string ResultJson::Batch(const std::vector<std::string>& payloads) {
    std::string batch = "[";
    for (const std::string& payload : payloads) {
        if (batch.size() > 1) {
            batch += ',';
        }
        batch += payload;
    }
    return batch + ']';
}

std::map<std::string, int> ResultJson::KeyErrors(const QString& json) {
    std::map<std::string, int> counts;
    const QJsonObject object = Object(json);
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (const int count = it.value().toInt(); count > 0) {
            counts[it.key().toStdString()] = count;
        }
    }
    return counts;
}

std::map<std::string, double> ResultJson::Details(const QString& json) {
    std::map<std::string, double> figures;
    const QJsonObject object = Object(json);
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.value().isDouble()) {
            figures[it.key().toStdString()] = it.value().toDouble();
        }
    }
    return figures;
}
