#include "dashboard/dashboard_server.h"

#include <httplib.h>

#include "dashboard/web_files.h"

namespace tessorin::dashboard {
namespace {

constexpr const char* kJson = "application/json; charset=utf-8";

void answerJson(StoreWatch& watch, const std::function<Json(store::Store&)>& view, httplib::Response& response) {
    std::string problem;
    const std::optional<Json> answer = watch.ask(view, problem);
    if (!answer) response.status = 503;
    response.set_header("Cache-Control", "no-store");
    response.set_content((answer ? *answer : Json{{"error", problem}}).dump(-1, ' ', false, Json::error_handler_t::replace),
                         kJson);
}

}  // namespace

std::string pageLanguage(const std::string& acceptLanguage) {
    const std::string first = acceptLanguage.substr(0, acceptLanguage.find_first_of(",;"));
    const bool chinese = first.size() >= 2 && (first[0] == 'z' || first[0] == 'Z') && (first[1] == 'h' || first[1] == 'H');
    return chinese ? "zh" : "en";
}

DashboardServer::DashboardServer(StoreWatch& watch) : server_(std::make_unique<httplib::Server>()) {
    // SO_REUSEADDR alone: httplib's SO_REUSEPORT would let a second dashboard share the port unnoticed.
    server_->set_socket_options([](int socket) {
        const int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    for (const WebFile& file : webFiles()) {
        // Appended, not "/" + name: GCC 12 at -O3 warns of an overlap there (-Wrestrict).
        std::string path = "/";
        if (file.name != "index.html") path += file.name;
        server_->Get(path, [file](const httplib::Request& request, httplib::Response& response) {
            std::string body(file.text);
            if (file.name == "index.html") {
                const std::string marker = "lang=\"en\"";
                body.replace(body.find(marker), marker.size(),
                             "lang=\"" + pageLanguage(request.get_header_value("Accept-Language")) + "\"");
            }
            response.set_content(body, std::string(file.type));
        });
    }
    const std::pair<const char*, Json (*)(store::Store&)> views[] = {
        {"/api/boards", boardsView}, {"/api/summary", summaryView}, {"/api/failures", failuresView}, {"/api/pools", poolsView}};
    for (const auto& [path, view] : views)
        server_->Get(path, [&watch, view](const httplib::Request&, httplib::Response& response) {
            answerJson(watch, view, response);
        });
    server_->set_error_handler([](const httplib::Request& request, httplib::Response& response) {
        if (response.status == 404) response.set_content("not found: " + request.path + "\n", "text/plain; charset=utf-8");
    });
}

DashboardServer::~DashboardServer() = default;

std::optional<int> DashboardServer::bind(const std::string& host, int port, std::string& problem) {
    const int bound = port == 0 ? server_->bind_to_any_port(host) : (server_->bind_to_port(host, port) ? port : -1);
    if (bound > 0) return bound;
    problem = "cannot listen on " + host + ":" + std::to_string(port) + " (taken, or not an address of this PC)";
    return std::nullopt;
}

void DashboardServer::serve() { server_->listen_after_bind(); }

void DashboardServer::stop() { server_->stop(); }

}  // namespace tessorin::dashboard
