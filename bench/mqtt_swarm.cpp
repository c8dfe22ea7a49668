// A swarm of MQTT subscribers in one thread, for the fan-out benchmark (bench/mqtt_fanout.sh):
// N clients subscribe to TOPIC on the broker; every message's `"now":` (the sender's clock, ms
// since 1970) against its arrival gives the way from the desk to the subscribers, for messages
// sent once all N are connected and read (the clients connect one after another). After SECONDS
// it prints the count, the percentiles of that way, and the payload bytes per topic per minute
// that one subscriber got.
//   bench_mqtt_swarm HOST PORT N TOPIC SECONDS

#include <mosquitto.h>
#include <sys/epoll.h>
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
    // One subscriber tallies the bytes per topic.
    bool countsBytes = false;
};

double wallMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(system_clock::now().time_since_epoch()).count();
}

// A thousand subscribers' deliveries pass through this one thread one after another, so it
// reads each in place: a copy or a lookup per delivery would add to the last subscriber's wait
// what a real subscriber, on a device of its own, never pays.
void received(mosquitto*, void* obj, const mosquitto_message* m) {
    auto* t = static_cast<Tally*>(obj);
    if (t->countsBytes)
        t->bytes[m->topic] += m->payloadlen;
    // Retained messages are old by nature: only live ones count.
    if (m->retain)
        return;
    static constexpr char kNow[] = "\"now\":";
    const auto* p = static_cast<const char*>(m->payload);
    const auto* at = static_cast<const char*>(
        memmem(p, static_cast<size_t>(m->payloadlen), kNow, sizeof kNow - 1));
    if (at == nullptr)
        return;
    // The number ends within the payload (a comma or a brace follows it).
    const double sent = std::strtod(at + sizeof kNow - 1, nullptr);
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
    first.countsBytes = true;
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
    // epoll wakes for the clients with something to read only: a poll over all thousand
    // sockets at every wake would cost the swarm more than the deliveries themselves.
    const int ep = epoll_create1(0);
    for (size_t i = 0; i < clients.size(); ++i) {
        epoll_event e{};
        e.events = EPOLLIN;
        e.data.u64 = i;
        epoll_ctl(ep, EPOLL_CTL_ADD, mosquitto_socket(clients[i]), &e);
    }
    std::vector<epoll_event> ready(clients.size());
    const double end = wallMs() + seconds * 1000.0;
    all.from = first.from = wallMs();
    double misc = 0;
    while (wallMs() < end) {
        const int woken = epoll_wait(ep, ready.data(), static_cast<int>(ready.size()), 100);
        for (int k = 0; k < woken; ++k)
            mosquitto_loop_read(clients[ready[static_cast<size_t>(k)].data.u64], 10);
        // Keep-alives and the subscriptions' writes, once a second.
        if (wallMs() - misc > 1000) {
            misc = wallMs();
            for (mosquitto* m : clients) {
                if (mosquitto_want_write(m))
                    mosquitto_loop_write(m, 10);
                mosquitto_loop_misc(m);
            }
        }
    }
    close(ep);
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
