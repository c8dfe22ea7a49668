// A swarm of MQTT subscribers in one thread, for the fan-out benchmark (bench/mqtt_fanout.sh):
// N clients subscribe to TOPIC on the broker; every message's `"now":` (the sender's clock, ms
// since 1970) against its arrival gives the way from the desk to the subscribers, for messages
// sent once all N are connected (the clients connect one after another). After SECONDS it prints
// the count, the percentiles of that way, and the payload bytes per topic per minute that one
// subscriber got.
//   bench_mqtt_swarm HOST PORT N TOPIC SECONDS
//
// The swarm stands for a thousand devices, each with a core of its own, yet runs on one core
// beside the broker: whatever it spends per delivery adds to the last subscriber's wait. So it
// speaks the little of MQTT 3.1.1 a subscriber needs over plain sockets and reads each socket
// with one recv per wake (a general client library reads a packet's header byte by byte, four
// system calls a delivery).

#include <netdb.h>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
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

double wallMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(system_clock::now().time_since_epoch()).count();
}

struct Tally {
    std::vector<double> ms;
    std::map<std::string, long> bytes; // of the first subscriber, per topic
    // Messages sent before the whole swarm was reading are counted in bytes only: while the
    // swarm still connects its clients one by one, none of them reads.
    double from = 1e300;
};

void putString(std::string& out, const std::string& s) {
    out += static_cast<char>(s.size() >> 8);
    out += static_cast<char>(s.size() & 0xff);
    out += s;
}

// A packet of TYPE with BODY: the fixed header with its remaining length.
std::string packet(unsigned char type, const std::string& body) {
    std::string out(1, static_cast<char>(type));
    size_t n = body.size();
    do {
        unsigned char b = n % 128;
        n /= 128;
        out += static_cast<char>(n > 0 ? b | 0x80 : b);
    } while (n > 0);
    return out + body;
}

// CONNECT (clean session, no keep-alive: the run is shorter than any broker's patience) and
// SUBSCRIBE at QoS 0, sent together.
std::string hello(int id, const std::string& topic) {
    std::string connect;
    putString(connect, "MQTT");
    connect += '\x04';               // protocol level 3.1.1
    connect += '\x02';               // clean session
    connect += std::string(2, '\0'); // keep-alive 0
    putString(connect, "swarm-" + std::to_string(getpid()) + "-" + std::to_string(id));
    std::string subscribe("\0\x01", 2); // packet id 1
    putString(subscribe, topic);
    subscribe += '\0';
    return packet(0x10, connect) + packet(0x82, subscribe);
}

int dial(const char* host, const char* port) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host, port, &hints, &found) != 0)
        return -1;
    int fd = socket(found->ai_family, SOCK_STREAM, 0);
    if (fd >= 0 && connect(fd, found->ai_addr, found->ai_addrlen) != 0) {
        close(fd);
        fd = -1;
    }
    freeaddrinfo(found);
    return fd;
}

struct Client {
    int fd = -1;
    std::string pending; // the start of a packet not yet whole
    bool countsBytes = false;
};

// One PUBLISH of QoS 0: its topic and payload, its retain flag.
void published(Tally& t, const Client& c, unsigned char header, const char* body, size_t size,
               double arrived) {
    if (size < 2)
        return;
    const size_t topicSize =
        (static_cast<unsigned char>(body[0]) << 8) | static_cast<unsigned char>(body[1]);
    if (2 + topicSize > size)
        return;
    const char* payload = body + 2 + topicSize;
    const size_t payloadSize = size - 2 - topicSize;
    if (c.countsBytes)
        t.bytes[std::string(body + 2, topicSize)] += static_cast<long>(payloadSize);
    // Retained messages are old by nature: only live ones count.
    if (header & 0x01)
        return;
    static constexpr char kNow[] = "\"now\":";
    const auto* at = static_cast<const char*>(memmem(payload, payloadSize, kNow, sizeof kNow - 1));
    if (at == nullptr)
        return;
    // The number ends within the payload (a comma or a brace follows it).
    const double sent = std::strtod(at + sizeof kNow - 1, nullptr);
    if (sent >= t.from)
        t.ms.push_back(arrived - sent);
}

// Takes the whole packets at the start of DATA; returns how many bytes it took.
size_t packets(Tally& t, const Client& c, const char* data, size_t size, double arrived) {
    size_t at = 0;
    while (at + 2 <= size) {
        size_t length = 0, shift = 0, i = at + 1;
        bool whole = false;
        for (; i < size && shift <= 21; ++i, shift += 7) {
            const auto b = static_cast<unsigned char>(data[i]);
            length |= static_cast<size_t>(b & 0x7f) << shift;
            if (!(b & 0x80)) {
                whole = true;
                ++i;
                break;
            }
        }
        if (!whole || i + length > size)
            break;
        const auto header = static_cast<unsigned char>(data[at]);
        if ((header >> 4) == 3)
            published(t, c, header, data + i, length, arrived);
        at = i + length;
    }
    return at;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s HOST PORT N TOPIC SECONDS\n", argv[0]);
        return 2;
    }
    const int n = std::atoi(argv[3]), seconds = std::atoi(argv[5]);
    rlimit files{static_cast<rlim_t>(n + 64), static_cast<rlim_t>(n + 64)};
    setrlimit(RLIMIT_NOFILE, &files);
    const int ep = epoll_create1(0);
    std::vector<Client> clients(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        Client& c = clients[static_cast<size_t>(i)];
        c.countsBytes = i == 0;
        // A broker busy with the others' logins may refuse one for a moment.
        for (int attempt = 0; attempt < 50 && c.fd < 0; ++attempt) {
            c.fd = dial(argv[1], argv[2]);
            if (c.fd < 0)
                usleep(100000);
        }
        const std::string first = hello(i, argv[4]);
        if (c.fd < 0 || send(c.fd, first.data(), first.size(), 0) != ssize_t(first.size())) {
            std::fprintf(stderr, "client %d: no connection\n", i);
            return 1;
        }
        epoll_event e{};
        e.events = EPOLLIN;
        e.data.u64 = static_cast<uint64_t>(i);
        epoll_ctl(ep, EPOLL_CTL_ADD, c.fd, &e);
    }
    Tally tally;
    tally.from = wallMs();
    const double end = tally.from + seconds * 1000.0;
    std::vector<epoll_event> ready(clients.size());
    std::vector<char> buffer(1 << 18);
    while (wallMs() < end) {
        const int woken = epoll_wait(ep, ready.data(), static_cast<int>(ready.size()), 100);
        for (int k = 0; k < woken; ++k) {
            Client& c = clients[ready[static_cast<size_t>(k)].data.u64];
            const ssize_t got = recv(c.fd, buffer.data(), buffer.size(), 0);
            if (got <= 0) {
                std::fprintf(stderr, "a subscriber lost its connection\n");
                return 1;
            }
            const double arrived = wallMs();
            const auto size = static_cast<size_t>(got);
            if (c.pending.empty()) {
                const size_t taken = packets(tally, c, buffer.data(), size, arrived);
                c.pending.assign(buffer.data() + taken, size - taken);
            } else {
                c.pending.append(buffer.data(), size);
                c.pending.erase(0, packets(tally, c, c.pending.data(), c.pending.size(), arrived));
            }
        }
    }
    close(ep);
    for (const Client& c : clients)
        close(c.fd);
    std::sort(tally.ms.begin(), tally.ms.end());
    const auto pct = [&tally](double p) {
        return tally.ms.empty() ? 0.0 : tally.ms[static_cast<size_t>(p * (tally.ms.size() - 1))];
    };
    std::printf("messages %zu to %d subscribers in %d s; desk to subscriber ms: p50 %.1f p99 %.1f "
                "max %.1f\n",
                tally.ms.size(), n, seconds, pct(0.5), pct(0.99), pct(1.0));
    for (const auto& [topic, bytes] : tally.bytes)
        std::printf("%s: %.0f bytes a minute\n", topic.c_str(), bytes * 60.0 / seconds);
    return 0;
}
