#include "NxSignInPage.h"

namespace {
QString esc(const QString& text)
{
    return text.toHtmlEscaped();
}

const char* const kPanelIcon =
    "<svg viewBox='0 0 64 64' aria-hidden='true'><rect x='6' y='10' width='52' height='34' rx='5' fill='none' "
    "stroke='#fff' stroke-width='4'/><path d='M24 54h16M32 44v10' stroke='#fff' stroke-width='4' "
    "stroke-linecap='round'/><circle cx='32' cy='27' r='7' fill='#fff' opacity='.85'/></svg>";
const char* const kCheckIcon =
    "<svg viewBox='0 0 64 64' aria-hidden='true'><path d='M18 33l10 10 19-21' fill='none' stroke='#fff' "
    "stroke-width='6' stroke-linecap='round' stroke-linejoin='round'/></svg>";
const char* const kWarningIcon =
    "<svg viewBox='0 0 64 64' aria-hidden='true'><path d='M32 16v22' stroke='#fff' stroke-width='6' "
    "stroke-linecap='round'/><circle cx='32' cy='48' r='4' fill='#fff'/></svg>";
}

QString NxSignInPage::invitation(const Invitation& invitation)
{
    const QString content = heading(QString::fromLatin1(kPanelIcon), QStringLiteral("课堂大屏请求登录"),
                                    QStringLiteral("A classroom panel wants to sign in"))
        + QStringLiteral("<dl class='facts'>")
        + fact(QStringLiteral("应用 / App"), invitation.appName)
        + fact(QStringLiteral("请求时间 / Requested"), invitation.requestedAt)
        + QStringLiteral("</dl>") + problem(invitation.problem) + form(invitation)
        + QStringLiteral("<p class='note'>如果不是您本人操作，请直接关闭此页面。<br>Not you? Simply close this page.</p>");
    return layout(QStringLiteral("确认登录 / Confirm sign-in"), content);
}

QString NxSignInPage::confirmed(const QString& userName)
{
    const QString content = heading(QString::fromLatin1(kCheckIcon), QStringLiteral("已确认登录"),
                                    QStringLiteral("Sign-in confirmed"))
        + QStringLiteral("<p class='lead'>%1，欢迎回来！请回到课堂大屏，几秒钟后即可开始上课。</p>"
                         "<p class='lead en'>Welcome back. Go back to the classroom panel — it signs you in "
                         "within a few seconds.</p>").arg(esc(userName))
        + QStringLiteral("<p class='note'>现在可以关闭此页面。<br>You can close this page now.</p>");
    return layout(QStringLiteral("已确认登录 / Sign-in confirmed"), content);
}

QString NxSignInPage::error(const QString& reason)
{
    const QString content = heading(QString::fromLatin1(kWarningIcon), QStringLiteral("无法识别的登录请求"),
                                    QStringLiteral("This sign-in link is not valid"))
        + QStringLiteral("<p class='lead'>请在课堂大屏上刷新二维码，然后重新扫码。</p>"
                         "<p class='lead en'>Refresh the QR code on the classroom panel and scan it again.</p>"
                         "<p class='note'>%1</p>").arg(esc(reason));
    return layout(QStringLiteral("登录链接无效 / Invalid sign-in link"), content);
}

QString NxSignInPage::layout(const QString& title, const QString& content)
{
    return QStringLiteral("<!DOCTYPE html><html lang='zh-CN'><head><meta charset='utf-8'>"
                          "<meta name='viewport' content='width=device-width, initial-scale=1, viewport-fit=cover'>"
                          "<meta name='theme-color' content='#1d1a4f'><title>%1</title><style>%2</style></head>"
                          "<body><main><div class='brand'>课堂媒体中心 · Classroom Media Centre</div>"
                          "<section class='card'>%3</section></main></body></html>")
        .arg(esc(title), style(), content);
}

QString NxSignInPage::heading(const QString& icon, const QString& chinese, const QString& english)
{
    return QStringLiteral("<div class='badge'>%1</div><h1>%2</h1><p class='en subtitle'>%3</p>")
        .arg(icon, esc(chinese), esc(english));
}

QString NxSignInPage::form(const Invitation& invitation)
{
    return QStringLiteral("<form method='post' action='%1'>"
                          "<input type='hidden' name='code' value='%2'>"
                          "<input type='hidden' name='app' value='%3'>"
                          "<label>姓名或工号 / Name or teacher ID"
                          "<input name='name' value='%4' autocomplete='username' autocapitalize='off' required></label>"
                          "<label>密码 / Password"
                          "<input type='password' name='password' autocomplete='current-password' required></label>"
                          "<button type='submit'>确认登录 / Confirm sign-in</button></form>")
        .arg(esc(invitation.confirmPath), esc(invitation.code), esc(invitation.appName), esc(invitation.name));
}

QString NxSignInPage::problem(const Message& message)
{
    if (message.chinese.isEmpty() && message.english.isEmpty())
        return QString();
    return QStringLiteral("<p class='problem' role='alert'>%1<br><span class='en'>%2</span></p>")
        .arg(esc(message.chinese), esc(message.english));
}

QString NxSignInPage::fact(const QString& label, const QString& value)
{
    return QStringLiteral("<dt>%1</dt><dd>%2</dd>").arg(esc(label), esc(value.isEmpty() ? QStringLiteral("—") : value));
}

QString NxSignInPage::style()
{
    return QStringLiteral(
        "*{box-sizing:border-box}"
        "html,body{margin:0;min-height:100%}"
        "body{font-family:-apple-system,'PingFang SC','Noto Sans CJK SC','Microsoft YaHei','WenQuanYi Micro Hei',sans-serif;"
        "color:#fff;background:linear-gradient(160deg,#141238 0%,#241f66 55%,#3a3499 100%) fixed;"
        "-webkit-text-size-adjust:100%}"
        "main{max-width:440px;margin:0 auto;padding:28px 18px 40px}"
        ".brand{font-size:13px;letter-spacing:.08em;color:rgba(220,222,255,.7);text-align:center;margin-bottom:18px}"
        ".card{background:rgba(255,255,255,.07);border:1px solid rgba(255,255,255,.14);border-radius:22px;"
        "padding:28px 22px;box-shadow:0 18px 48px rgba(6,4,30,.45);text-align:center}"
        ".badge{width:76px;height:76px;margin:0 auto 16px;border-radius:50%;padding:16px;"
        "background:linear-gradient(135deg,#666EDC,#5F57FC);box-shadow:0 0 0 8px rgba(102,110,220,.18)}"
        ".badge svg{width:100%;height:100%;display:block}"
        "h1{font-size:24px;margin:0 0 4px;font-weight:600}"
        ".en{color:rgba(220,222,255,.78)}.subtitle{margin:0 0 22px;font-size:15px}"
        "label{display:block;text-align:left;font-size:14px;color:rgba(220,222,255,.78);margin:0 0 14px}"
        "input{display:block;width:100%;margin-top:6px;min-height:48px;padding:0 14px;border-radius:12px;"
        "border:1px solid rgba(255,255,255,.22);background:rgba(8,8,36,.45);color:#fff;font-size:17px}"
        "input:focus{outline:2px solid #666EDC;outline-offset:1px}"
        ".problem{background:rgba(255,92,120,.16);border:1px solid rgba(255,120,140,.5);border-radius:12px;"
        "padding:10px 12px;font-size:14px;line-height:1.5;text-align:left;margin:0 0 16px}"
        ".facts{display:grid;grid-template-columns:auto 1fr;gap:8px 14px;text-align:left;font-size:14px;margin:0 4px 24px}"
        ".facts dt{color:rgba(220,222,255,.65)}.facts dd{margin:0;word-break:break-all}"
        "button{width:100%;min-height:54px;border:0;border-radius:14px;font-size:18px;font-weight:600;color:#fff;"
        "background:linear-gradient(135deg,#666EDC,#5F57FC);box-shadow:0 8px 22px rgba(95,87,252,.45);cursor:pointer}"
        "button:active{transform:translateY(1px);filter:brightness(.95)}"
        ".lead{font-size:16px;line-height:1.6;margin:0 0 10px}"
        ".note{font-size:13px;line-height:1.6;color:rgba(220,222,255,.6);margin:20px 0 0}");
}
