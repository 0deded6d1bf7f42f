#pragma once

#include <memory>
#include <vector>

class O2Reply;
class QNetworkReply;

// The pending replies of one owner, each with its time-out.
class O2ReplyList
{
public:
    O2ReplyList();
    virtual ~O2ReplyList();

    O2ReplyList(const O2ReplyList &) = delete;
    O2ReplyList &operator=(const O2ReplyList &) = delete;

    // The time-out of replies added from now on, 60 seconds unless changed; tests shorten it.
    static int defaultTimeOut();
    static void setDefaultTimeOut(int milliseconds);

    void add(QNetworkReply *reply);
    void add(O2Reply *reply);
    // Stops the reply's time-out; a reply that is not in the list changes nothing.
    void remove(QNetworkReply *reply);
    O2Reply *find(QNetworkReply *reply) const;

    bool ignoreSslErrors() const { return m_ignoreSslErrors; }
    void setIgnoreSslErrors(bool ignore) { m_ignoreSslErrors = ignore; }

private:
    std::vector<std::unique_ptr<O2Reply>> m_replies;
    bool m_ignoreSslErrors = false;
};
