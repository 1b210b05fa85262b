// Both ends of the request channel, over real sockets, with the IO thread deciding.
#include "webengine/channel/RequestChannel.h"
#include "webengine/channel/RequestChannelClient.h"
#include "webengine/channel/RequestProtocol.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using webengine::RequestChannel;
using webengine::RequestChannelClient;
namespace Protocol = webengine::RequestProtocol;

struct Question {
    uint64_t pageId;
    std::string url;
    std::thread::id thread;
};

// Cancels every address holding "ads" and remembers what it was asked, and on which thread.
struct Recorder {
    std::mutex mutex;
    std::vector<Question> questions;

    webengine::RequestDecider Decider()
    {
        return [this](uint64_t pageId, std::string_view url) {
            std::lock_guard lock(mutex);
            questions.push_back({pageId, std::string(url), std::this_thread::get_id()});
            return url.find("ads") != std::string_view::npos;
        };
    }
    size_t Count()
    {
        std::lock_guard lock(mutex);
        return questions.size();
    }
};

bool Exists(const std::string& path)
{
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0;
}

int RawConnect(const std::string& path)
{
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    timeval timeout{5, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    return fd;
}

std::string Frame(uint64_t pageId, std::string_view url, uint32_t claimedLength)
{
    unsigned char header[Protocol::HeaderSize];
    Protocol::EncodeHeader({pageId, claimedLength}, header);
    return std::string(reinterpret_cast<char*>(header), sizeof header) + std::string(url);
}

std::string Frame(uint64_t pageId, std::string_view url)
{
    return Frame(pageId, url, uint32_t(url.size()));
}

void SendRaw(int fd, const std::string& bytes)
{
    ASSERT_EQ(::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL), ssize_t(bytes.size()));
}

// The next answer byte, -1 when the server closed the connection, -2 on a timeout.
int ReadRaw(int fd)
{
    unsigned char answer = 0;
    ssize_t n = ::recv(fd, &answer, 1, 0);
    return n == 1 ? answer : n == 0 ? -1 : -2;
}

class RequestChannelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(channel.Start(recorder.Decider(), &error)) << error;
    }
    Recorder recorder;
    RequestChannel channel;
};

TEST_F(RequestChannelTest, AnswersGoOnAndCancelFromTheIoThread)
{
    RequestChannelClient client(channel.SocketPath());
    EXPECT_FALSE(client.ShouldCancel(7, "https://example.org/player.html"));
    EXPECT_TRUE(client.ShouldCancel(8, "https://example.org/ads/banner.js"));
    EXPECT_FALSE(client.ShouldCancel(9, "https://example.org/адрес?q=1"));
    EXPECT_FALSE(client.ShouldCancel(10, ""));

    ASSERT_EQ(recorder.Count(), 4u);
    EXPECT_EQ(recorder.questions[0].pageId, 7u);
    EXPECT_EQ(recorder.questions[0].url, "https://example.org/player.html");
    EXPECT_EQ(recorder.questions[1].pageId, 8u);
    EXPECT_EQ(recorder.questions[2].url, "https://example.org/адрес?q=1");
    EXPECT_EQ(recorder.questions[3].url, "");
    EXPECT_NE(channel.IoThreadId(), std::thread::id());
    EXPECT_NE(channel.IoThreadId(), std::this_thread::get_id());
    for (const auto& q : recorder.questions)
        EXPECT_EQ(q.thread, channel.IoThreadId());
}

TEST_F(RequestChannelTest, ManyClientsOnManyThreadsGetTheirOwnAnswers)
{
    constexpr int Threads = 6;
    constexpr int PerThread = 150;
    RequestChannelClient shared(channel.SocketPath());
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([&, t] {
            RequestChannelClient own(channel.SocketPath());
            for (int i = 0; i < PerThread; ++i) {
                // Half the threads share one client, so its lock keeps their questions apart.
                RequestChannelClient& client = t % 2 ? shared : own;
                bool cancel = i % 3 == 0;
                std::string url = "https://host" + std::to_string(t) + ".example/" + (cancel ? "ads/" : "page/") +
                    std::to_string(i);
                if (client.ShouldCancel(uint64_t(t), url) != cancel)
                    ++wrong;
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);
    ASSERT_EQ(recorder.Count(), size_t(Threads * PerThread));
    for (const auto& q : recorder.questions) {
        EXPECT_NE(q.url.find("host" + std::to_string(q.pageId) + "."), std::string::npos) << q.url;
        EXPECT_EQ(q.thread, channel.IoThreadId());
    }
}

TEST_F(RequestChannelTest, LongAddressesArriveWholeAndTooLongOnesAreCancelledWithoutAsking)
{
    RequestChannelClient client(channel.SocketPath());
    std::string longUrl = "https://example.org/?";
    for (size_t i = 0; longUrl.size() < 3 * 1024 * 1024; ++i)
        longUrl += char('a' + i % 26);
    EXPECT_FALSE(client.ShouldCancel(1, longUrl));
    std::string atLimit(Protocol::MaxUrlBytes, 'x');
    EXPECT_FALSE(client.ShouldCancel(2, atLimit));
    std::string tooLong(size_t(Protocol::MaxUrlBytes) + 1, 'x');
    EXPECT_TRUE(client.ShouldCancel(3, tooLong));
    EXPECT_FALSE(client.ShouldCancel(4, "https://example.org/after"));

    ASSERT_EQ(recorder.Count(), 3u);
    EXPECT_EQ(recorder.questions[0].url, longUrl);
    EXPECT_EQ(recorder.questions[1].url.size(), atLimit.size());
    EXPECT_EQ(recorder.questions[2].pageId, 4u);
}

TEST_F(RequestChannelTest, GarbageClosesOnlyThatConnection)
{
    RequestChannelClient client(channel.SocketPath());
    EXPECT_FALSE(client.ShouldCancel(1, "https://example.org/one"));

    int oversized = RawConnect(channel.SocketPath());
    int badText = RawConnect(channel.SocketPath());
    int partial = RawConnect(channel.SocketPath());
    ASSERT_GE(oversized, 0);
    ASSERT_GE(badText, 0);
    ASSERT_GE(partial, 0);
    SendRaw(oversized, Frame(5, "x", Protocol::MaxUrlBytes + 1));
    SendRaw(badText, Frame(6, "https://example.org/\xff\xfe"));
    // Half a header, then silence: the IO thread must not wait for the rest.
    SendRaw(partial, Frame(7, "https://example.org/").substr(0, 5));

    EXPECT_EQ(ReadRaw(oversized), -1);
    EXPECT_EQ(ReadRaw(badText), -1);
    EXPECT_TRUE(client.ShouldCancel(2, "https://example.org/ads"));
    EXPECT_FALSE(client.ShouldCancel(3, "https://example.org/three"));

    // The silent one finishes its question later and gets its answer.
    SendRaw(partial, Frame(7, "https://example.org/").substr(5));
    EXPECT_EQ(ReadRaw(partial), Protocol::AnswerGoOn);
    ::close(oversized);
    ::close(badText);
    ::close(partial);

    EXPECT_EQ(recorder.Count(), 4u);
}

TEST_F(RequestChannelTest, QuestionsSplitOrBatchedAreAnsweredInOrder)
{
    int fd = RawConnect(channel.SocketPath());
    ASSERT_GE(fd, 0);
    std::string one = Frame(1, "https://example.org/a");
    for (char c : one) {
        SendRaw(fd, std::string(1, c));
        std::this_thread::yield();
    }
    EXPECT_EQ(ReadRaw(fd), Protocol::AnswerGoOn);
    SendRaw(fd, Frame(2, "https://example.org/ads") + Frame(3, "https://example.org/b") + Frame(4, "/ads"));
    EXPECT_EQ(ReadRaw(fd), Protocol::AnswerCancel);
    EXPECT_EQ(ReadRaw(fd), Protocol::AnswerGoOn);
    EXPECT_EQ(ReadRaw(fd), Protocol::AnswerCancel);
    ::close(fd);
    ASSERT_EQ(recorder.Count(), 4u);
    EXPECT_EQ(recorder.questions[3].pageId, 4u);
}

TEST_F(RequestChannelTest, StopClosesConnectionsAndRemovesSocketAndFolder)
{
    RequestChannelClient client(channel.SocketPath());
    EXPECT_FALSE(client.ShouldCancel(1, "https://example.org/"));
    std::string folder = channel.Folder();
    std::string socket = channel.SocketPath();
    EXPECT_EQ(socket, folder + "/requests");
    struct stat st{};
    ASSERT_EQ(::stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::lstat(socket.c_str(), &st), 0);
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    EXPECT_TRUE(channel.Running());

    channel.Stop();
    EXPECT_FALSE(channel.Running());
    EXPECT_FALSE(Exists(socket));
    EXPECT_FALSE(Exists(folder));
    // The connection the client held is gone, and so is the socket to reconnect to.
    EXPECT_TRUE(client.ShouldCancel(2, "https://example.org/"));
    EXPECT_TRUE(client.ShouldCancel(3, "https://example.org/"));
    channel.Stop();

    // A channel starts again in a new folder.
    ASSERT_TRUE(channel.Start(recorder.Decider()));
    EXPECT_NE(channel.Folder(), folder);
    RequestChannelClient again(channel.SocketPath());
    EXPECT_FALSE(again.ShouldCancel(4, "https://example.org/"));
}

TEST(RequestChannel, ThrowingDeciderCancelsAndTheConnectionLives)
{
    RequestChannel channel;
    int calls = 0;
    ASSERT_TRUE(channel.Start([&calls](uint64_t, std::string_view url) -> bool {
        ++calls;
        if (url == "std")
            throw std::runtime_error("broken filter");
        if (url == "other")
            throw 42;
        return false;
    }));
    RequestChannelClient client(channel.SocketPath());
    EXPECT_TRUE(client.ShouldCancel(1, "std"));
    EXPECT_TRUE(client.ShouldCancel(1, "other"));
    EXPECT_FALSE(client.ShouldCancel(1, "fine"));
    EXPECT_EQ(calls, 3);
}

TEST(RequestChannel, StartRefusesTwiceAndWithoutDecider)
{
    RequestChannel channel;
    std::string error;
    EXPECT_FALSE(channel.Start(nullptr, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(channel.Running());
    EXPECT_TRUE(channel.Folder().empty());

    ASSERT_TRUE(channel.Start([](uint64_t, std::string_view) { return false; }));
    std::string folder = channel.Folder();
    error.clear();
    EXPECT_FALSE(channel.Start([](uint64_t, std::string_view) { return true; }, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(channel.Folder(), folder);
    RequestChannelClient client(channel.SocketPath());
    EXPECT_FALSE(client.ShouldCancel(1, "https://example.org/"));
}

// Sets XDG_RUNTIME_DIR for one test and puts it back.
class RuntimeDir {
public:
    explicit RuntimeDir(const char* value)
    {
        if (const char* old = std::getenv("XDG_RUNTIME_DIR"))
            old_ = old, had_ = true;
        if (value)
            ::setenv("XDG_RUNTIME_DIR", value, 1);
        else
            ::unsetenv("XDG_RUNTIME_DIR");
    }
    ~RuntimeDir()
    {
        if (had_)
            ::setenv("XDG_RUNTIME_DIR", old_.c_str(), 1);
        else
            ::unsetenv("XDG_RUNTIME_DIR");
    }

private:
    std::string old_;
    bool had_ = false;
};

TEST(RequestChannel, FolderIsInTheRuntimeFolderWhenUsableElseInTmp)
{
    char base[] = "/tmp/lumo-runtime-test-XXXXXX";
    ASSERT_NE(::mkdtemp(base), nullptr);
    {
        RuntimeDir runtime(base);
        RequestChannel channel;
        ASSERT_TRUE(channel.Start([](uint64_t, std::string_view) { return false; }));
        EXPECT_EQ(channel.Folder().rfind(std::string(base) + "/", 0), 0u) << channel.Folder();
    }
    for (const char* unusable : {"/nonexistent/runtime", "relative/runtime", ""}) {
        RuntimeDir runtime(unusable);
        RequestChannel channel;
        ASSERT_TRUE(channel.Start([](uint64_t, std::string_view) { return false; })) << unusable;
        EXPECT_EQ(channel.Folder().rfind("/tmp/", 0), 0u) << channel.Folder();
        RequestChannelClient client(channel.SocketPath());
        EXPECT_FALSE(client.ShouldCancel(1, "https://example.org/"));
    }
    std::string tooLong = std::string(base) + "/" + std::string(120, 'd');
    ASSERT_EQ(::mkdir(tooLong.c_str(), 0700), 0);
    {
        RuntimeDir runtime(tooLong.c_str());
        RequestChannel channel;
        ASSERT_TRUE(channel.Start([](uint64_t, std::string_view) { return false; }));
        EXPECT_EQ(channel.Folder().rfind("/tmp/lumo-requests-", 0), 0u) << channel.Folder();
    }
    ::rmdir(tooLong.c_str());
    EXPECT_EQ(::rmdir(base), 0) << "the channel left something behind";
}

TEST(RequestChannelClient, FailsClosedWithoutAServer)
{
    EXPECT_TRUE(RequestChannelClient("").ShouldCancel(1, "https://example.org/"));
    EXPECT_TRUE(RequestChannelClient("/nonexistent/requests").ShouldCancel(1, "https://example.org/"));
    EXPECT_TRUE(RequestChannelClient(std::string(200, 'x')).ShouldCancel(1, "https://example.org/"));
}

// A hand-made server answering each question with a given byte, counting its connections.
TEST(RequestChannelClient, BrokenAnswerCancelsAndReconnects)
{
    char folder[] = "/tmp/lumo-fake-server-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    std::string path = std::string(folder) + "/requests";
    int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 4), 0);

    std::atomic<int> connections{0};
    std::thread server([&] {
        // First connection: a nonsense answer; second: go on, then close mid-conversation.
        const unsigned char answers[] = {7, Protocol::AnswerGoOn};
        for (unsigned char answer : answers) {
            int fd = ::accept(listener, nullptr, nullptr);
            if (fd < 0)
                return;
            ++connections;
            unsigned char buffer[256];
            ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n > 0)
                ::send(fd, &answer, 1, MSG_NOSIGNAL);
            if (answer == Protocol::AnswerGoOn)
                ::recv(fd, buffer, sizeof buffer, 0);
            ::close(fd);
        }
    });

    RequestChannelClient client(path);
    EXPECT_TRUE(client.ShouldCancel(1, "https://example.org/"));
    EXPECT_FALSE(client.ShouldCancel(2, "https://example.org/"));
    EXPECT_TRUE(client.ShouldCancel(3, "https://example.org/"));
    server.join();
    EXPECT_EQ(connections.load(), 2);
    ::close(listener);
    ::unlink(path.c_str());
    ::rmdir(folder);
}

} // namespace
