// A small HTTP server on 127.0.0.1 for the transfer tests: one connection at a time, a table of
// answers by path, every request head kept.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kx::test {

struct HttpAnswer {
    int status = 200;
    std::string body;
    bool sendLength = true;
    /// Sent in pieces of this many bytes with a pause between them (0: at once).
    std::size_t trickle = 0;
    /// Further header lines, each ending in "\r\n".
    std::string headers = {};
};

class LocalHttpServer {
public:
    LocalHttpServer()
    {
        m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t size = sizeof address;
        ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &size);
        m_port = ntohs(address.sin_port);
        ::listen(m_socket, 8);
        m_thread = std::thread([this] { serve(); });
    }
    ~LocalHttpServer()
    {
        m_stop = true;
        ::shutdown(m_socket, SHUT_RDWR);
        ::close(m_socket);
        m_thread.join();
    }

    std::string address() const { return "http://127.0.0.1:" + std::to_string(m_port); }
    void answer(const std::string& path, HttpAnswer answer)
    {
        std::lock_guard lock(m_mutex);
        m_answers[path] = std::move(answer);
    }
    std::vector<std::string> requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }

private:
    void serve()
    {
        while (!m_stop) {
            const int client = ::accept(m_socket, nullptr, nullptr);
            if (client < 0)
                return;
            std::string head;
            char byte;
            while (head.find("\r\n\r\n") == std::string::npos && ::recv(client, &byte, 1, 0) == 1)
                head += byte;
            HttpAnswer answer { 404, "<html>not here</html>" };
            {
                std::lock_guard lock(m_mutex);
                m_requests.push_back(head);
                const auto space = head.find(' ');
                const std::string path = head.substr(space + 1, head.find(' ', space + 1) - space - 1);
                if (auto found = m_answers.find(path); found != m_answers.end())
                    answer = found->second;
            }
            std::string reply = "HTTP/1.0 " + std::to_string(answer.status) + " X\r\n";
            if (answer.sendLength)
                reply += "Content-Length: " + std::to_string(answer.body.size()) + "\r\n";
            reply += answer.headers + "\r\n";
            ::send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
            const std::size_t piece = answer.trickle ? answer.trickle : answer.body.size();
            for (std::size_t at = 0; at < answer.body.size() && !m_stop; at += piece) {
                if (::send(client, answer.body.data() + at, std::min(piece, answer.body.size() - at), MSG_NOSIGNAL) < 0)
                    break;
                if (answer.trickle)
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
            ::close(client);
        }
    }

    int m_socket = -1;
    int m_port = 0;
    std::atomic<bool> m_stop { false };
    mutable std::mutex m_mutex;
    std::map<std::string, HttpAnswer> m_answers;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

} // namespace kx::test
