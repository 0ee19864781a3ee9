#pragma once
// Asks a matchmaker for a table: Quick Match or a private table. The HTTP
// module is loaded by the first request, so a game that never asks never
// loads it.
#include "core/tableaddress.h"

#include <QObject>
#include <QString>

#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zz {

class HttpClient;

struct TableOffer
{
    TableAddress address;
    std::string table;   // the server's name, for the log
    std::string code;    // "" when the table's address has none
};

class MatchmakerClient : public QObject
{
    Q_OBJECT
public:
    explicit MatchmakerClient(QObject *parent = nullptr);
    ~MatchmakerClient() override;

    // matchmaker: "host:port", or a URL with http:// or https://.
    void askForTable(const QString &matchmaker, bool privateTable);
    // Forgets the request under way: neither signal comes for it.
    void cancel();
    bool busy() const { return m_busy; }

    // Where the HTTP module is looked for; empty (the default) for beside the
    // program, then the installed module folder. Tests name the build's.
    static std::vector<std::string> &httpModulePaths();

    // The URL for a route; "" for a text no URL can be made from.
    static std::string urlFor(const QString &matchmaker, std::string_view route);
    // What an answer says: the offer, or the failure in words.
    static std::variant<TableOffer, QString> readAnswer(int status, const std::string &body);

Q_SIGNALS:
    void tableOffered(const zz::TableOffer &offer);
    void failed(const QString &words);

private:
    std::unique_ptr<HttpClient> m_client;
    bool m_busy = false;
};

} // namespace zz
