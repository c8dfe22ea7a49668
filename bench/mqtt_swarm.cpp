// A swarm of MQTT subscribers in one thread, for the fan-out benchmark (bench/mqtt_fanout.sh):
// N clients subscribe to TOPIC on the broker; every message's `"now":` (the sender's clock, ms
// since 1970) against its arrival gives the way from the desk to the subscribers, for messages
// sent once all N are connected and read (the clients connect one after another). After SECONDS
// it prints the count, the percentiles of that way, and the payload bytes per topic per minute
// that one subscriber got.
//   bench_mqtt_swarm HOST PORT N TOPIC SECONDS

#include <mosquitto.h>
#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct Tally {
    std::vector<double> ms;
    std::map<std::string, long> bytes;
    // Messages sent before the whole swarm was reading are counted in bytes only: while the
    // swarm still connects its clients one by one, none of them reads.
    double from = 1e300;
};

double wallMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(system_clock::now().time_since_epoch()).count();
}

void received(mosquitto*, void* obj, const mosquitto_message* m) {
    auto* t = static_cast<Tally*>(obj);
    const char* p = static_cast<const char*>(m->payload);
    const std::string text(p, static_cast<size_t>(m->payloadlen));
    if (t->bytes.size() < 1000)
        t->bytes[m->topic] += m->payloadlen;
    // Retained messages are old by nature: only live ones count.
    if (m->retain)
        return;
    const size_t at = text.find("\"now\":");
    if (at == std::string::npos)
        return;
    const double sent = std::strtod(text.c_str() + at + 6, nullptr);
    if (sent >= t->from)
        t->ms.push_back(wallMs() - sent);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s HOST PORT N TOPIC SECONDS\n", argv[0]);
        return 2;
    }
    const int port = std::atoi(argv[2]), n = std::atoi(argv[3]), seconds = std::atoi(argv[5]);
    // Each client holds its socket and a pair of its own for waking it.
    rlimit files{static_cast<rlim_t>(3 * n + 64), static_cast<rlim_t>(3 * n + 64)};
    setrlimit(RLIMIT_NOFILE, &files);
    mosquitto_lib_init();
    Tally all, first;
    std::vector<mosquitto*> clients;
    for (int i = 0; i < n; ++i) {
        mosquitto* m = mosquitto_new(nullptr, true, i == 0 ? &first : &all);
        mosquitto_message_callback_set(m, received);
        // A broker busy with the others' logins may refuse one for a moment.
        int rc = MOSQ_ERR_ERRNO;
        for (int attempt = 0; attempt < 50 && rc != MOSQ_ERR_SUCCESS; ++attempt) {
            rc = mosquitto_connect(m, argv[1], port, 60);
            if (rc != MOSQ_ERR_SUCCESS)
                usleep(100000);
        }
        if (rc != MOSQ_ERR_SUCCESS) {
            std::fprintf(stderr, "client %d: no connection\n", i);
            return 1;
        }
        mosquitto_subscribe(m, nullptr, argv[4], 0);
        clients.push_back(m);
    }
    std::vector<pollfd> fds(clients.size());
    const double end = wallMs() + seconds * 1000.0;
    all.from = first.from = wallMs();
    while (wallMs() < end) {
        for (size_t i = 0; i < clients.size(); ++i)
            fds[i] = {mosquitto_socket(clients[i]),
                      static_cast<short>(POLLIN | (mosquitto_want_write(clients[i]) ? POLLOUT : 0)),
                      0};
        poll(fds.data(), fds.size(), 100);
        for (size_t i = 0; i < clients.size(); ++i) {
            if (fds[i].revents & POLLIN)
                mosquitto_loop_read(clients[i], 10);
            if (fds[i].revents & POLLOUT)
                mosquitto_loop_write(clients[i], 10);
            mosquitto_loop_misc(clients[i]);
        }
    }
    all.ms.insert(all.ms.end(), first.ms.begin(), first.ms.end());
    std::sort(all.ms.begin(), all.ms.end());
    const auto pct = [&all](double p) {
        return all.ms.empty() ? 0.0 : all.ms[static_cast<size_t>(p * (all.ms.size() - 1))];
    };
    std::printf("messages %zu to %d subscribers in %d s; desk to subscriber ms: p50 %.1f p99 %.1f "
                "max %.1f\n",
                all.ms.size(), n, seconds, pct(0.5), pct(0.99), pct(1.0));
    for (const auto& [topic, bytes] : first.bytes)
        std::printf("%s: %.0f bytes a minute\n", topic.c_str(), bytes * 60.0 / seconds);
    for (mosquitto* m : clients)
        mosquitto_destroy(m);
    return 0;
}
