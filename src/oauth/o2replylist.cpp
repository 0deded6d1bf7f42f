#include "oauth/o2replylist.h"

#include "oauth/o2reply.h"

#include <algorithm>

namespace {

int s_defaultTimeOut = 60000;

} // namespace

O2ReplyList::O2ReplyList() = default;

O2ReplyList::~O2ReplyList() = default;

int O2ReplyList::defaultTimeOut()
{
    return s_defaultTimeOut;
}

void O2ReplyList::setDefaultTimeOut(int milliseconds)
{
    s_defaultTimeOut = milliseconds;
}

void O2ReplyList::add(QNetworkReply *reply)
{
    if (reply && m_ignoreSslErrors)
        reply->ignoreSslErrors();
    add(new O2Reply(reply, s_defaultTimeOut));
}

void O2ReplyList::add(O2Reply *reply)
{
    m_replies.emplace_back(reply);
}

void O2ReplyList::remove(QNetworkReply *reply)
{
    const auto found = std::find_if(m_replies.begin(), m_replies.end(),
                                    [reply](const std::unique_ptr<O2Reply> &entry) { return entry->reply == reply; });
    if (found == m_replies.end())
        return;
    (*found)->stop();
    m_replies.erase(found);
}

O2Reply *O2ReplyList::find(QNetworkReply *reply) const
{
    for (const std::unique_ptr<O2Reply> &entry : m_replies) {
        if (entry->reply == reply)
            return entry.get();
    }
    return nullptr;
}
