// Files and HTTP through the framework, against a loopback server thread.
#include <winsock2.h>
#include <gtest/gtest.h>
#include "framework/afxinet.h"
#include <string>
#include <vector>
#include "base/thread.h"

namespace {

// Serves one canned response per accepted connection until stopped.
class LoopbackServer {
public:
    explicit LoopbackServer(std::vector<std::string> responses) : m_responses(std::move(responses)) {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
        m_listen = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in addr = {};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        ::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
        int length = sizeof(addr);
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &length);
        port = ntohs(addr.sin_port);
        ::listen(m_listen, 4);
        m_thread = base::Thread([this] { Serve(); });
    }
    ~LoopbackServer() {
        ::closesocket(m_listen);
        m_thread.join();
        ::WSACleanup();
    }
    int port = 0;
    std::vector<std::string> requests;

private:
    void Serve() {
        for (const std::string& response : m_responses) {
            SOCKET s = ::accept(m_listen, nullptr, nullptr);
            if (s == INVALID_SOCKET) return;
            std::string request;
            char buffer[1024];
            while (request.find("\r\n\r\n") == std::string::npos) {
                int n = ::recv(s, buffer, sizeof(buffer), 0);
                if (n <= 0) break;
                request.append(buffer, n);
            }
            requests.push_back(request);
            ::send(s, response.data(), static_cast<int>(response.size()), 0);
            ::shutdown(s, SD_BOTH);
            ::closesocket(s);
        }
    }
    std::vector<std::string> m_responses;
    SOCKET m_listen;
    base::Thread m_thread;
};

std::string Url(int port, const char* path) { return "http://127.0.0.1:" + std::to_string(port) + path; }

}  // namespace

TEST(Internet, OpenUrlReadsStatusLengthAndBody) {
    std::string body(5000, 'x');
    body += "end";
    LoopbackServer server({ "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
                            "\r\nConnection: close\r\n\r\n" + body });
    CInternetSession session("PvfxTest");
    CHttpFile* file = static_cast<CHttpFile*>(session.OpenURL(Url(server.port, "/pg/Purvex_Ver.txt").c_str(), 1,
                                                              INTERNET_FLAG_TRANSFER_BINARY | INTERNET_FLAG_RELOAD));
    ASSERT_NE(nullptr, file) << ::GetLastError();
    DWORD status = 0;
    EXPECT_TRUE(file->QueryInfoStatusCode(status));
    EXPECT_EQ(200u, status);
    CString length;
    EXPECT_TRUE(file->QueryInfo(HTTP_QUERY_CONTENT_LENGTH, length));
    EXPECT_STREQ("5003", static_cast<LPCTSTR>(length));
    std::string received;
    char block[4096];
    for (UINT n; (n = file->Read(block, sizeof(block))) > 0;) received.append(block, n);
    EXPECT_EQ(body, received);
    file->Close();
    delete file;
    ASSERT_EQ(1u, server.requests.size());
    EXPECT_EQ(0u, server.requests[0].find("GET /pg/Purvex_Ver.txt "));
    EXPECT_NE(std::string::npos, server.requests[0].find("User-Agent: PvfxTest"));
}

TEST(Internet, MissingFileReportsItsStatusAndNoLengthWhenAbsent) {
    LoopbackServer server({ "HTTP/1.0 404 Not Found\r\nConnection: close\r\n\r\ngone" });
    CInternetSession session("PvfxTest");
    CStdioFile* file = session.OpenURL(Url(server.port, "/none").c_str());
    ASSERT_NE(nullptr, file);
    CHttpFile* http = static_cast<CHttpFile*>(file);
    DWORD status = 0;
    EXPECT_TRUE(http->QueryInfoStatusCode(status));
    EXPECT_EQ(404u, status);
    CString length;
    EXPECT_FALSE(http->QueryInfo(HTTP_QUERY_CONTENT_LENGTH, length));
    CString line;
    EXPECT_TRUE(file->ReadString(line));
    EXPECT_STREQ("gone", static_cast<LPCTSTR>(line));
    EXPECT_FALSE(file->ReadString(line));
    delete file;
}

TEST(Internet, FailuresReturnNullWithTheErrorCode) {
    CInternetSession session("PvfxTest");
    EXPECT_EQ(nullptr, session.OpenURL("gopher://127.0.0.1/x"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INTERNET_UNRECOGNIZED_SCHEME), ::GetLastError());
    // A port nobody listens on: the connection is refused.
    int port;
    {
        LoopbackServer server({});
        port = server.port;
    }
    EXPECT_EQ(nullptr, session.OpenURL(Url(port, "/").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INTERNET_CANNOT_CONNECT), ::GetLastError());
}

TEST(Files, BinaryRoundTripAndTextLines) {
    char dir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    CString path = CString(dir) + "pvfx_file_test.bin";
    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
        const char data[] = "a\0b\r\n";
        EXPECT_TRUE(file.Write(data, 5));
        EXPECT_EQ(5u, file.GetLength());
    }
    {
        CFile file(path, CFile::modeRead | CFile::typeBinary);
        ASSERT_NE(INVALID_HANDLE_VALUE, file.m_hFile);
        char data[16] = {};
        EXPECT_EQ(5u, file.Read(data, sizeof(data)));
        EXPECT_EQ(0, memcmp("a\0b\r\n", data, 5));
        EXPECT_EQ(0u, file.Read(data, sizeof(data)));
    }
    {
        CStdioFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText));
        file.WriteString("첫 줄\n둘째");
    }
    {
        CFile raw(path, CFile::modeRead);
        EXPECT_EQ(11u, raw.GetLength());  // "\n" became "\r\n"
    }
    CStdioFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeRead | CFile::typeText));
    CString line;
    EXPECT_TRUE(file.ReadString(line));
    EXPECT_STREQ("첫 줄", static_cast<LPCTSTR>(line));
    EXPECT_TRUE(file.ReadString(line));
    EXPECT_STREQ("둘째", static_cast<LPCTSTR>(line));
    EXPECT_FALSE(file.ReadString(line));
    file.Close();
    ::DeleteFileA(path);
    CFileException error;
    EXPECT_FALSE(file.Open(path, CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, error.m_lOsError);
}
