// A load generator for rigctl servers: one client on loopback asks one command after another,
// each as soon as the last is answered, and times every answer. Bounded in requests and time.
//   rigctl_load PORT f|F REQUESTS SECONDS
// "f" reads the frequency; "F" sets 137.100 and 137.620 MHz in turn. Prints one line: requests,
// failures (RPRT -n answers), requests per second, and the median and 99th-percentile latency.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int WarmUp = 200;  // answers not counted: first connections, caches, the CPU's clock

// A blocking loopback connection that reads answers a line at a time.
class Connection {
public:
    explicit Connection(int port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (fd_ < 0 || ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            std::perror("rigctl_load: cannot connect");
            std::exit(1);
        }
        const int one = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    }
    ~Connection() { ::close(fd_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void send(std::string_view line) {
        if (::send(fd_, line.data(), line.size(), MSG_NOSIGNAL) !=
            static_cast<ssize_t>(line.size())) {
            std::perror("rigctl_load: send");
            std::exit(1);
        }
    }
    std::string line() {
        for (;;) {
            const std::size_t end = buffer_.find('\n');
            if (end != std::string::npos) {
                std::string first = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                return first;
            }
            char chunk[4096];
            const ssize_t got = ::recv(fd_, chunk, sizeof chunk, 0);
            if (got <= 0) {
                std::fprintf(stderr, "rigctl_load: the server closed the connection\n");
                std::exit(1);
            }
            buffer_.append(chunk, static_cast<std::size_t>(got));
        }
    }

private:
    int fd_;
    std::string buffer_;
};

double percentile(std::vector<double>& sorted, double p) {
    const auto at = static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1));
    return sorted[at];
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 5 || (std::string_view(argv[2]) != "f" && std::string_view(argv[2]) != "F")) {
        std::fprintf(stderr, "usage: rigctl_load PORT f|F REQUESTS SECONDS\n");
        return 2;
    }
    const int port = std::atoi(argv[1]);
    const bool set = std::string_view(argv[2]) == "F";
    const int requests = std::max(1, std::atoi(argv[3]));
    const auto budget = std::chrono::seconds(std::max(1, std::atoi(argv[4])));

    Connection connection(port);
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(requests));
    int failures = 0;
    const Clock::time_point start = Clock::now();
    Clock::time_point counted = start;
    for (int i = 0; i < WarmUp + requests && Clock::now() - start < budget; ++i) {
        if (i == WarmUp) {
            counted = Clock::now();
        }
        const char* command = !set ? "f\n" : i % 2 == 0 ? "F 137100000\n" : "F 137620000\n";
        const Clock::time_point asked = Clock::now();
        connection.send(command);
        const std::string answer = connection.line();
        const Clock::time_point answered = Clock::now();
        if (answer.rfind("RPRT -", 0) == 0) {
            ++failures;
        }
        if (i >= WarmUp) {
            micros.push_back(std::chrono::duration<double, std::micro>(answered - asked).count());
        }
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - counted).count();
    if (micros.empty()) {
        std::fprintf(stderr, "rigctl_load: no answer within the time given\n");
        return 1;
    }
    std::sort(micros.begin(), micros.end());
    std::printf("%zu %d %.0f %.1f %.1f\n", micros.size(), failures,
                static_cast<double>(micros.size()) / seconds, percentile(micros, 0.5),
                percentile(micros, 0.99));
    connection.send("q\n");
    return 0;
}
