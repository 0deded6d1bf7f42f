<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ActionEditor</name>
    <message>
        <source>Details</source>
        <translation>详细信息</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>标题：</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>描述：</translation>
    </message>
    <message>
        <source>Extra Parameters</source>
        <translation>附加参数</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>New action</source>
        <translation>新建动作</translation>
    </message>
    <message>
        <source>The quick brown fox jumps over the lazy dog.</source>
        <translation>敏捷的棕色狐狸跳过了那只懒狗。</translation>
    </message>
    <message>
        <source>Status: Evaluating...</source>
        <translation>状态：正在计算…</translation>
    </message>
    <message>
        <source>Status: </source>
        <translation>状态：</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>Writing the action file failed: </source>
        <translation>写入动作文件失败：</translation>
    </message>
</context>
<context>
    <name>ActionList</name>
    <message>
        <source>To lowercase</source>
        <translation>转为小写</translation>
    </message>
    <message>
        <source>Converts the text to lowercase.</source>
        <translation>将文本转换为小写。</translation>
    </message>
    <message>
        <source>To uppercase</source>
        <translation>转为大写</translation>
    </message>
    <message>
        <source>Converts the text to uppercase.</source>
        <translation>将文本转换为大写。</translation>
    </message>
    <message>
        <source>JSON Pretty Print</source>
        <translation>JSON 格式化</translation>
    </message>
    <message>
        <source>Formats JSON to be more human readable</source>
        <translation>格式化 JSON，使其更易阅读</translation>
    </message>
    <message>
        <source>Stript HTML tags</source>
        <translation>去除 HTML 标签</translation>
    </message>
    <message>
        <source>Removes HTML tags from the text</source>
        <translation>去除文本中的 HTML 标签</translation>
    </message>
    <message>
        <source>Current time</source>
        <translation>当前时间</translation>
    </message>
    <message>
        <source>Writes the current date and time</source>
        <translation>写入当前日期和时间</translation>
    </message>
    <message>
        <source>Generate password</source>
        <translation>生成密码</translation>
    </message>
    <message>
        <source>Creates a random password</source>
        <translation>生成一个随机密码</translation>
    </message>
    <message>
        <source>Hex dump</source>
        <translation>十六进制转储</translation>
    </message>
    <message>
        <source>Creates hex dump of UTF-8 encoded string</source>
        <translation>生成 UTF-8 编码字符串的十六进制转储</translation>
    </message>
    <message>
        <source>Date to Value</source>
        <translation>日期转数值</translation>
    </message>
    <message>
        <source>Converts the date and time to value</source>
        <translation>将日期和时间转换为数值</translation>
    </message>
    <message>
        <source>Value to Date</source>
        <translation>数值转日期</translation>
    </message>
    <message>
        <source>Converts the value to date and time</source>
        <translation>将数值转换为日期和时间</translation>
    </message>
    <message>
        <source>Create GUID</source>
        <translation>生成 GUID</translation>
    </message>
    <message>
        <source>Creates a globally uniqued identifier</source>
        <translation>生成一个全局唯一标识符</translation>
    </message>
    <message>
        <source>Word wrap</source>
        <translation>自动换行</translation>
    </message>
    <message>
        <source>Wraps long lines to be less than given length</source>
        <translation>将长行折行，使每行不超过指定长度</translation>
    </message>
    <message>
        <source>Split lines</source>
        <translation>拆分行</translation>
    </message>
    <message>
        <source>Splits the clipping from the separator that is most times in the text</source>
        <translation>按文本中出现次数最多的分隔符拆分剪贴项</translation>
    </message>
    <message>
        <source>Built-in actions cannot be edited.</source>
        <translation>内置动作无法编辑。</translation>
    </message>
    <message>
        <source>There are errors in the action script.</source>
        <translation>动作脚本中有错误。</translation>
    </message>
    <message>
        <source>View</source>
        <translation>查看</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Remove shortcut</source>
        <translation>移除快捷键</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>设置快捷键</translation>
    </message>
    <message>
        <source>Show in menu</source>
        <translation>在菜单中显示</translation>
    </message>
    <message>
        <source>Hide from menu</source>
        <translation>从菜单中隐藏</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the action &apos;%1&apos;?</source>
        <translation>确定要删除动作“%1”吗？</translation>
    </message>
    <message>
        <source>Failed to delete the file &apos;%1&apos;.</source>
        <translation>无法删除文件“%1”。</translation>
    </message>
</context>
<context>
    <name>ApplicationsList</name>
    <message>
        <source>Don&apos;t add copied items to history</source>
        <translation>不将复制的内容加入历史记录</translation>
    </message>
    <message>
        <source>Exclude from history</source>
        <translation>不记入历史记录</translation>
    </message>
    <message>
        <source>Never copy images to clipboard</source>
        <translation>从不将图片复制到剪贴板</translation>
    </message>
    <message>
        <source>Ignore images</source>
        <translation>忽略图片</translation>
    </message>
    <message>
        <source>Always copy as plain text only</source>
        <translation>始终仅以纯文本复制</translation>
    </message>
    <message>
        <source>Plain text only</source>
        <translation>仅纯文本</translation>
    </message>
    <message>
        <source>Clear style from text</source>
        <translation>清除文本格式</translation>
    </message>
    <message>
        <source>Clear style</source>
        <translation>清除格式</translation>
    </message>
    <message>
        <source>Do not expand keywords</source>
        <translation>不展开关键词</translation>
    </message>
    <message>
        <source>Don&apos;t expand keywords</source>
        <translation>不展开关键词</translation>
    </message>
    <message>
        <source>Delay text expansion for %1 ms</source>
        <translation>文本展开延迟 %1 毫秒</translation>
    </message>
    <message>
        <source>Set text expansion delay...</source>
        <translation>设置文本展开延迟…</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
</context>
<context>
    <name>ClipboardListener</name>
    <message>
        <source>The copied picture (%1 x %2) was not recorded: it is larger than Kestovan can hold.</source>
        <translation>复制的图片（%1 x %2）未被记录：它超出了 Kestovan 能容纳的大小。</translation>
    </message>
</context>
<context>
    <name>CopyToCache</name>
    <message>
        <source>Unsafe file name %1/%2</source>
        <translation>不安全的文件名 %1/%2</translation>
    </message>
    <message>
        <source>No data folder</source>
        <translation>没有数据文件夹</translation>
    </message>
    <message>
        <source>%1 is not a local file</source>
        <translation>%1 不是本地文件</translation>
    </message>
    <message>
        <source>The image cannot be written as %1</source>
        <translation>无法将图片写为 %1 格式</translation>
    </message>
</context>
<context>
    <name>CustomKeySequenceEdit</name>
    <message>
        <source>Hold Ctrl, Alt or Meta with the key; only F1 to F35 work alone.</source>
        <translation>请同时按住 Ctrl、Alt 或 Meta 键；只有 F1 到 F35 可以单独使用。</translation>
    </message>
</context>
<context>
    <name>DelayDialog</name>
    <message>
        <source>Set delay</source>
        <translation>设置延迟</translation>
    </message>
    <message>
        <source>Text expansion delay (in ms)</source>
        <translation>文本展开延迟（毫秒）</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>毫秒</translation>
    </message>
</context>
<context>
    <name>Downloader</name>
    <message>
        <source>Downloading</source>
        <translation>正在下载</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>EditDialog</name>
    <message>
        <source>Edit clipping</source>
        <translation>编辑剪贴项</translation>
    </message>
</context>
<context>
    <name>HeaderCarousel</name>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Show locked</source>
        <translation>显示已锁定</translation>
    </message>
    <message>
        <source>Show recent</source>
        <translation>显示最近</translation>
    </message>
    <message>
        <source>Show &apos;%1&apos;</source>
        <translation>显示“%1”</translation>
    </message>
</context>
<context>
    <name>HistoryContextMenu</name>
    <message>
        <source>Context menu</source>
        <translation>上下文菜单</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Plain Text</source>
        <translation>纯文本</translation>
    </message>
    <message>
        <source>Type Text</source>
        <translation>键入文本</translation>
    </message>
    <message>
        <source>Unstylish text</source>
        <translation>无格式文本</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>编辑…</translation>
    </message>
    <message>
        <source>Paste as Image</source>
        <translation>粘贴为图片</translation>
    </message>
    <message>
        <source>Paste as File</source>
        <translation>粘贴为文件</translation>
    </message>
    <message>
        <source>Extract texts</source>
        <translation>提取文字</translation>
    </message>
    <message>
        <source>Release lock</source>
        <translation>解除锁定</translation>
    </message>
    <message>
        <source>Keep forever</source>
        <translation>永久保留</translation>
    </message>
    <message>
        <source>Add to snippets</source>
        <translation>添加到片段</translation>
    </message>
    <message>
        <source>Add to &apos;%1&apos;</source>
        <translation>添加到“%1”</translation>
    </message>
    <message>
        <source>Run action</source>
        <translation>运行动作</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Remove all</source>
        <translation>全部移除</translation>
    </message>
    <message>
        <source>Paste selected</source>
        <translation>粘贴所选</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>合并</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>倒序</translation>
    </message>
    <message>
        <source>Remove selected</source>
        <translation>移除所选</translation>
    </message>
    <message>
        <source>Added to snippets &apos;%1&apos;</source>
        <translation>已添加到片段“%1”</translation>
    </message>
    <message>
        <source>Failed to run action &apos;%1&apos;
%2</source>
        <translation>无法运行动作“%1”
%2</translation>
    </message>
</context>
<context>
    <name>HistoryItemModel</name>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>无法创建文件夹 %1。</translation>
    </message>
    <message>
        <source>Writing the clippings file failed: </source>
        <translation>写入剪贴项文件失败：</translation>
    </message>
    <message>
        <source>Failed to read the clippings file: </source>
        <translation>读取剪贴项文件失败：</translation>
    </message>
    <message>
        <source>The clippings file was written by a newer version of Kestovan: </source>
        <translation>剪贴项文件由更新版本的 Kestovan 写入：</translation>
    </message>
    <message>
        <source>The clippings file is too large to load: </source>
        <translation>剪贴项文件过大，无法加载：</translation>
    </message>
    <message>
        <source>Failed to parse the clippings file: </source>
        <translation>解析剪贴项文件失败：</translation>
    </message>
    <message>
        <source>An image clipping cannot be saved:</source>
        <translation>无法保存图片剪贴项：</translation>
    </message>
    <message>
        <source>The copied text was not recorded: it would make the clippings file larger than the %1 MB Kestovan can read.</source>
        <translation>复制的文本未被记录：它会使剪贴项文件超过 Kestovan 能读取的 %1 MB。</translation>
    </message>
</context>
<context>
    <name>ImageEditDialog</name>
    <message>
        <source>Edit Image</source>
        <translation>编辑图片</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>选择</translation>
    </message>
    <message>
        <source>Draw arrows</source>
        <translation>绘制箭头</translation>
    </message>
    <message>
        <source>Arrow</source>
        <translation>箭头</translation>
    </message>
    <message>
        <source>Draw rectangles</source>
        <translation>绘制矩形</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>矩形</translation>
    </message>
    <message>
        <source>Draw numbers</source>
        <translation>添加编号</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>编号</translation>
    </message>
    <message>
        <source>Tooltip</source>
        <translation>标注</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>高亮</translation>
    </message>
    <message>
        <source>Crop</source>
        <translation>裁剪</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>缩放：</translation>
    </message>
</context>
<context>
    <name>ImageEditGraphicsView</name>
    <message>
        <source>Text</source>
        <translation>文字</translation>
    </message>
    <message>
        <source>Edit the text</source>
        <translation>编辑文字</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Enter the text</source>
        <translation>输入文字</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>History</source>
        <translation>历史记录</translation>
    </message>
    <message>
        <source>The application is not trusted. You are not able to paste to other applications.</source>
        <translation>本应用未获信任，无法粘贴到其他应用程序。</translation>
    </message>
    <message>
        <source>Update for Kestovan is available:

</source>
        <translation>Kestovan 有可用的更新：

</translation>
    </message>
    <message>
        <source>Name: </source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>版本：</translation>
    </message>
    <message>
        <source>
Do you want to upgrade now?</source>
        <translation>
要立即升级吗？</translation>
    </message>
</context>
<context>
    <name>Monitor</name>
    <message>
        <source>Clipboard Monitor</source>
        <translation>剪贴板监视器</translation>
    </message>
</context>
<context>
    <name>MonitorList</name>
    <message>
        <source>+%1 bytes more</source>
        <translation>另有 %1 字节</translation>
    </message>
</context>
<context>
    <name>OCR</name>
    <message>
        <source>Extract texts</source>
        <translation>提取文字</translation>
    </message>
    <message>
        <source>Failed to extract texts from the image.

</source>
        <translation>无法从图片中提取文字。

</translation>
    </message>
    <message>
        <source>%1 crashed.</source>
        <translation>%1 已崩溃。</translation>
    </message>
    <message>
        <source>%1 ended with exit code %2.</source>
        <translation>%1 已退出，退出代码为 %2。</translation>
    </message>
    <message>
        <source>Unable to find any texts in the image.</source>
        <translation>图片中未找到任何文字。</translation>
    </message>
    <message>
        <source>%1 is not a program that can be run.</source>
        <translation>%1 不是可运行的程序。</translation>
    </message>
    <message>
        <source>Kestovan requires a free tool called Tesseract OCR for the extract texts feature.</source>
        <translation>Kestovan 的提取文字功能需要一个名为 Tesseract OCR 的免费工具。</translation>
    </message>
    <message>
        <source>You can install it with your package manager, for example:</source>
        <translation>您可以使用软件包管理器安装它，例如：</translation>
    </message>
    <message>
        <source>You can download the tool from here:</source>
        <translation>您可以从这里下载该工具：</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>QKeySequenceEdit</name>
    <message>
        <source>Press shortcut</source>
        <translation>请按快捷键</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Failure at line %1: %2</source>
        <translation>第 %1 行出错：%2</translation>
    </message>
    <message>
        <source>Failure: %1</source>
        <translation>出错：%1</translation>
    </message>
    <message>
        <source>The action script did not finish within %1 seconds.</source>
        <translation>动作脚本未能在 %1 秒内完成。</translation>
    </message>
    <message>
        <source>The action script is not a function.</source>
        <translation>动作脚本不是一个函数。</translation>
    </message>
    <message>
        <source>The script engine could not be loaded: %1</source>
        <translation>无法加载脚本引擎：%1</translation>
    </message>
    <message>
        <source>The function %1 is missing from %2</source>
        <translation>%2 中缺少函数 %1</translation>
    </message>
    <message>
        <source>Failed to open: </source>
        <translation>无法打开：</translation>
    </message>
    <message>
        <source>Failed to parse json: </source>
        <translation>无法解析 JSON：</translation>
    </message>
    <message>
        <source>The action has been deleted: </source>
        <translation>该动作已被删除：</translation>
    </message>
    <message>
        <source>A few seconds ago</source>
        <translation>几秒钟前</translation>
    </message>
    <message>
        <source>A minute ago</source>
        <translation>1 分钟前</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>%n 分钟前</numerusform>
        </translation>
    </message>
    <message>
        <source>An hour ago</source>
        <translation>1 小时前</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>%n 小时前</numerusform>
        </translation>
    </message>
    <message>
        <source>A day ago</source>
        <translation>1 天前</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>%n 天前</numerusform>
        </translation>
    </message>
    <message>
        <source>The clippings cannot be saved; what is copied now is lost when Kestovan quits.</source>
        <translation>无法保存剪贴项；现在复制的内容将在 Kestovan 退出时丢失。</translation>
    </message>
    <message>
        <source>Pasting is not available</source>
        <translation>无法粘贴</translation>
    </message>
    <message>
        <source>Kestovan pastes into other applications with the XTEST extension of the X server, and this X server does not offer it.

Start the X server with the XTEST extension enabled to paste from Kestovan.</source>
        <translation>Kestovan 通过 X 服务器的 XTEST 扩展向其他应用程序粘贴，而此 X 服务器未提供该扩展。

请启用 XTEST 扩展后启动 X 服务器，以便从 Kestovan 粘贴。</translation>
    </message>
    <message>
        <source>The snippets cannot be saved; changes are lost when Kestovan quits.</source>
        <translation>无法保存片段；更改将在 Kestovan 退出时丢失。</translation>
    </message>
    <message>
        <source>Failed to run action &apos;%1&apos;
%2</source>
        <translation>无法运行动作“%1”
%2</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Kestovan is already running!</source>
        <translation>Kestovan 已在运行！</translation>
    </message>
    <message>
        <source>The network library could not be loaded: %1</source>
        <translation>无法加载网络库：%1</translation>
    </message>
    <message>
        <source>A copy of it was kept as </source>
        <translation>已保留一份副本：</translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file and was not read. Kestovan starts with its default settings, and changes made now are lost when it quits.</source>
        <translation>设置文件 %1 不是普通文件，未被读取。Kestovan 将以默认设置启动，现在所做的更改将在其退出时丢失。</translation>
    </message>
    <message>
        <source>The settings cannot be saved to %1; changes made now are lost when Kestovan quits.</source>
        <translation>无法将设置保存到 %1；现在所做的更改将在 Kestovan 退出时丢失。</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>是(&amp;Y)</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>否(&amp;N)</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>忽略</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation>复制链接地址(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
</context>
<context>
    <name>ReleaseNotesDialog</name>
    <message>
        <source>Release Notes</source>
        <translation>发行说明</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>%1 is a chain of too many symbolic links</source>
        <translation>%1 的符号链接层级过多</translation>
    </message>
    <message>
        <source>stopped after %1 of %2 bytes: %3</source>
        <translation>写入 %2 字节中的 %1 字节后中止：%3</translation>
    </message>
    <message>
        <source>syncing failed: %1</source>
        <translation>同步到磁盘失败：%1</translation>
    </message>
    <message>
        <source>checking the size failed: %1</source>
        <translation>检查文件大小失败：%1</translation>
    </message>
    <message>
        <source>the file holds %1 of %2 bytes</source>
        <translation>文件只有 %1 字节，应为 %2 字节</translation>
    </message>
    <message>
        <source>%1 cannot be opened for writing: %2</source>
        <translation>无法打开 %1 进行写入：%2</translation>
    </message>
    <message>
        <source>Closing %1 failed: %2</source>
        <translation>关闭 %1 失败：%2</translation>
    </message>
    <message>
        <source>Renaming %1 to %2 failed: %3</source>
        <translation>将 %1 重命名为 %2 失败：%3</translation>
    </message>
    <message>
        <source>Refusing to replace %1 with empty content.</source>
        <translation>拒绝用空内容替换 %1。</translation>
    </message>
    <message>
        <source>Writing %1 failed: %2</source>
        <translation>写入 %1 失败：%2</translation>
    </message>
    <message>
        <source>%1 already exists</source>
        <translation>%1 已存在</translation>
    </message>
    <message>
        <source>%1 cannot be opened for reading: %2</source>
        <translation>无法打开 %1 进行读取：%2</translation>
    </message>
    <message>
        <source>Reading %1 failed: %2</source>
        <translation>读取 %1 失败：%2</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 不存在</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 不是普通文件</translation>
    </message>
    <message>
        <source>%1 has %2 bytes, more than the %3 a data file may have</source>
        <translation>%1 有 %2 字节，超过了数据文件允许的 %3 字节</translation>
    </message>
    <message>
        <source>%1 would have %2 bytes, more than the %3 a data file may have</source>
        <translation>%1 将有 %2 字节，超过了数据文件允许的 %3 字节</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>General</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>History</source>
        <translation>历史记录</translation>
    </message>
    <message>
        <source>Snippets</source>
        <translation>片段</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>同步</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>应用程序</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>动作</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>应用程序</translation>
    </message>
    <message>
        <source>Start automatically</source>
        <translation>自动启动</translation>
    </message>
    <message>
        <source>Always open on mouse location</source>
        <translation>始终在鼠标位置打开</translation>
    </message>
    <message>
        <source>Keep last selected tab</source>
        <translation>保留上次选择的标签页</translation>
    </message>
    <message>
        <source>Open Kestovan</source>
        <translation>打开 Kestovan</translation>
    </message>
    <message>
        <source>Paste as plain text</source>
        <translation>粘贴为纯文本</translation>
    </message>
    <message>
        <source>Paste next from history</source>
        <translation>粘贴历史记录中的下一项</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>语言：</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>主题</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>浅色</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>深色</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Debugging</source>
        <translation>调试</translation>
    </message>
    <message>
        <source>Send crash dump files for analysis</source>
        <translation>发送崩溃转储文件以供分析</translation>
    </message>
    <message>
        <source>Write debug log</source>
        <translation>写入调试日志</translation>
    </message>
    <message>
        <source>Show File</source>
        <translation>显示文件</translation>
    </message>
    <message>
        <source>Clipboard monitor</source>
        <translation>剪贴板监视器</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>保留</translation>
    </message>
    <message>
        <source>Items in the history</source>
        <translation>条历史记录</translation>
    </message>
    <message>
        <source>Ignore text smaller than</source>
        <translation>忽略少于</translation>
    </message>
    <message>
        <source>characters</source>
        <translation>个字符的文本</translation>
    </message>
    <message>
        <source>Ignore text larger than</source>
        <translation>忽略大于</translation>
    </message>
    <message>
        <source>kB</source>
        <translation>kB 的文本</translation>
    </message>
    <message>
        <source>Initial selection:</source>
        <translation>初始选择：</translation>
    </message>
    <message>
        <source>Add images to history</source>
        <translation>将图片加入历史记录</translation>
    </message>
    <message>
        <source>Paste from history as plain text</source>
        <translation>从历史记录粘贴为纯文本</translation>
    </message>
    <message>
        <source>Clear history on exit</source>
        <translation>退出时清除历史记录</translation>
    </message>
    <message>
        <source>Show compact List</source>
        <translation>显示紧凑列表</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;There are no applications.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;没有应用程序。&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>添加…</translation>
    </message>
    <message>
        <source>Release notes</source>
        <translation>发行说明</translation>
    </message>
    <message>
        <source>Update check</source>
        <translation>检查更新</translation>
    </message>
    <message>
        <source>Check for update</source>
        <translation>检查更新</translation>
    </message>
    <message>
        <source>Update now</source>
        <translation>立即更新</translation>
    </message>
    <message>
        <source>First</source>
        <translation>第一项</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>第二项</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一项</translation>
    </message>
    <message>
        <source>Update check failed</source>
        <translation>检查更新失败</translation>
    </message>
    <message>
        <source>Updated version is available</source>
        <translation>有新版本可用</translation>
    </message>
    <message>
        <source>No update available</source>
        <translation>没有可用的更新</translation>
    </message>
    <message>
        <source>Kestovan, the clipboard manager of the Morva developers.</source>
        <translation>Kestovan，Morva 开发者出品的剪贴板管理器。</translation>
    </message>
    <message>
        <source>Version: %1.%2&lt;br&gt;</source>
        <translation>版本：%1.%2&lt;br&gt;</translation>
    </message>
    <message>
        <source>Build on %1&lt;br&gt;&lt;br&gt;</source>
        <translation>构建于 %1&lt;br&gt;&lt;br&gt;</translation>
    </message>
    <message>
        <source>Feature requests and bug reports can be sent to:&lt;br&gt;</source>
        <translation>功能建议和错误报告请发送至：&lt;br&gt;</translation>
    </message>
    <message>
        <source>Kestovan could not be kept from starting at login: the file %1 could not be removed.</source>
        <translation>无法阻止 Kestovan 在登录时启动：无法删除文件 %1。</translation>
    </message>
    <message>
        <source>Kestovan could not be set to start at login: the file %1 could not be written.</source>
        <translation>无法将 Kestovan 设置为登录时启动：无法写入文件 %1。</translation>
    </message>
    <message>
        <source>The size limit must be at least 1 kB: a smaller one would ignore every text. The stored number is kept.</source>
        <translation>大小上限至少为 1 kB：更小的上限会忽略所有文本。已保存的数值保持不变。</translation>
    </message>
    <message>
        <source>Type a number of characters. The stored number is kept.</source>
        <translation>请输入字符数。已保存的数值保持不变。</translation>
    </message>
    <message>
        <source>Keep at least 1 item in the history: fewer would delete every clipping. The stored number is kept.</source>
        <translation>历史记录至少保留 1 条：更少会删除所有剪贴项。已保存的数值保持不变。</translation>
    </message>
</context>
<context>
    <name>ShortcutDialog</name>
    <message>
        <source>Enter shortcut</source>
        <translation>输入快捷键</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>设置快捷键</translation>
    </message>
</context>
<context>
    <name>SnippetClipDialog</name>
    <message>
        <source>Choose clipping type</source>
        <translation>选择剪贴项类型</translation>
    </message>
    <message>
        <source>Clipping type</source>
        <translation>剪贴项类型</translation>
    </message>
    <message>
        <source>Current clipping</source>
        <translation>当前剪贴项</translation>
    </message>
    <message>
        <source>Clipping from position</source>
        <translation>指定位置的剪贴项</translation>
    </message>
    <message>
        <source>Clipping that matches</source>
        <translation>匹配的剪贴项</translation>
    </message>
    <message>
        <source>Enter regular expression which is matched with the clipping history</source>
        <translation>输入与剪贴历史记录匹配的正则表达式</translation>
    </message>
</context>
<context>
    <name>SnippetModel</name>
    <message>
        <source>The file holds no Kestovan snippets; nothing was imported.</source>
        <translation>该文件不包含 Kestovan 片段，未导入任何内容。</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>无法创建文件夹 %1。</translation>
    </message>
    <message>
        <source>Writing the snippets file failed: </source>
        <translation>写入片段文件失败：</translation>
    </message>
    <message>
        <source>Failed to read the snippets file: </source>
        <translation>读取片段文件失败：</translation>
    </message>
    <message>
        <source>The snippets file was written by a newer version of Kestovan: </source>
        <translation>片段文件由更新版本的 Kestovan 写入：</translation>
    </message>
    <message>
        <source>Failed to parse the snippets file: </source>
        <translation>解析片段文件失败：</translation>
    </message>
    <message>
        <source>The snippets file is too large to load: </source>
        <translation>片段文件过大，无法加载：</translation>
    </message>
</context>
<context>
    <name>SnippetsPage</name>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Only expand keyword after space is pressed</source>
        <translation>仅在按下空格后展开关键词</translation>
    </message>
    <message>
        <source>Import/Export Snippets</source>
        <translation>导入/导出片段</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Snippets</source>
        <translation>片段</translation>
    </message>
    <message>
        <source>Add new group</source>
        <translation>添加新组</translation>
    </message>
    <message>
        <source>Remove group</source>
        <translation>移除组</translation>
    </message>
    <message>
        <source>Edit group</source>
        <translation>编辑组</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>Add new snippet</source>
        <translation>添加新片段</translation>
    </message>
    <message>
        <source>Remove snippet</source>
        <translation>移除片段</translation>
    </message>
    <message>
        <source>Edit snippet</source>
        <translation>编辑片段</translation>
    </message>
    <message>
        <source>Move snippet to other group</source>
        <translation>将片段移到其他组</translation>
    </message>
    <message>
        <source>Snippet Text</source>
        <translation>片段文本</translation>
    </message>
    <message>
        <source>The content is not visible in the list</source>
        <translation>内容不在列表中显示</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>插入</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>选项</translation>
    </message>
    <message>
        <source>JSON files (*.json);;All files (*.*);</source>
        <translation>JSON 文件 (*.json);;所有文件 (*.*);</translation>
    </message>
    <message>
        <source>Show content</source>
        <translation>显示内容</translation>
    </message>
    <message>
        <source>Hide content</source>
        <translation>隐藏内容</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>设置快捷键</translation>
    </message>
    <message>
        <source>Clear shortcut</source>
        <translation>清除快捷键</translation>
    </message>
    <message>
        <source>Set expand keyword</source>
        <translation>设置展开关键词</translation>
    </message>
    <message>
        <source>Clear expand keyword</source>
        <translation>清除展开关键词</translation>
    </message>
    <message>
        <source>Set keyword</source>
        <translation>设置关键词</translation>
    </message>
    <message>
        <source>Give the keyword which will be
automatically replaced with the snippet.</source>
        <translation>请输入关键词，
它将被自动替换为该片段。</translation>
    </message>
    <message>
        <source>Clipping...</source>
        <translation>剪贴项…</translation>
    </message>
    <message>
        <source>Cursor</source>
        <translation>光标位置</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>动作</translation>
    </message>
    <message>
        <source>Save snippets</source>
        <translation>保存片段</translation>
    </message>
    <message>
        <source>Export error</source>
        <translation>导出错误</translation>
    </message>
    <message>
        <source>Failed to export the snippets to </source>
        <translation>无法将片段导出到：</translation>
    </message>
    <message>
        <source>Load snippets</source>
        <translation>加载片段</translation>
    </message>
    <message>
        <source>Import error</source>
        <translation>导入错误</translation>
    </message>
    <message>
        <source>Failed to import the snippets from </source>
        <translation>无法从以下位置导入片段：</translation>
    </message>
    <message>
        <source>The file is not valid JSON: %1 at byte %2.</source>
        <translation>该文件不是有效的 JSON：%1，位于第 %2 字节。</translation>
    </message>
</context>
<context>
    <name>Sync</name>
    <message>
        <source>Google Drive sync is not available: this build has no Google client id and secret.</source>
        <translation>Google 云端硬盘同步不可用：此版本没有 Google 客户端 ID 和密钥。</translation>
    </message>
    <message>
        <source>Synchronizing...</source>
        <translation>正在同步…</translation>
    </message>
    <message>
        <source>Synchronization failed.</source>
        <translation>同步失败。</translation>
    </message>
    <message>
        <source>Synchronization skipped a damaged file: %1</source>
        <translation>同步跳过了一个损坏的文件：%1</translation>
    </message>
    <message>
        <source>Synchronization successful.</source>
        <translation>同步成功。</translation>
    </message>
    <message>
        <source>Google Drive sync is not available: %1</source>
        <translation>Google 云端硬盘同步不可用：%1</translation>
    </message>
    <message>
        <source>Decryption failed for %1: the passphrases of your computers may differ.</source>
        <translation>无法解密 %1：您的各台计算机上的密码短语可能不同。</translation>
    </message>
    <message>
        <source>Synchronization refused what is not encrypted while encryption is on: %1</source>
        <translation>加密已开启，同步拒绝了未加密的内容：%1</translation>
    </message>
    <message>
        <source>Synchronization is not working: the sync folder %1 cannot be found.</source>
        <translation>同步无法进行：找不到同步文件夹 %1。</translation>
    </message>
</context>
<context>
    <name>SyncLocalFolder</name>
    <message>
        <source>Select sync target folder</source>
        <translation>选择同步目标文件夹</translation>
    </message>
</context>
<context>
    <name>SyncLogDialog</name>
    <message>
        <source>Filter</source>
        <translation>筛选</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Clear Log</source>
        <translation>清除日志</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Save sync log</source>
        <translation>保存同步日志</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*.*);</source>
        <translation>文本文件 (*.txt);;所有文件 (*.*);</translation>
    </message>
    <message>
        <source>Save error</source>
        <translation>保存错误</translation>
    </message>
    <message>
        <source>Failed to save the sync log to </source>
        <translation>无法将同步日志保存到：</translation>
    </message>
</context>
<context>
    <name>SyncReplyPage</name>
    <message>
        <source>Authentication succeeded!</source>
        <translation>身份验证成功！</translation>
    </message>
    <message>
        <source>Authentication failed!</source>
        <translation>身份验证失败！</translation>
    </message>
    <message>
        <source>You may close the browser window now.</source>
        <translation>现在可以关闭浏览器窗口了。</translation>
    </message>
</context>
<context>
    <name>SyncSettings</name>
    <message>
        <source>Select where do you want to sync the data:</source>
        <translation>选择要将数据同步到哪里：</translation>
    </message>
    <message>
        <source>&lt;b&gt;Google Drive Sync&lt;/b&gt; stores the data to the application specific folder in your personal Google account.</source>
        <translation>&lt;b&gt;Google 云端硬盘同步&lt;/b&gt;将数据保存在您个人 Google 帐号中本应用专用的文件夹里。</translation>
    </message>
    <message>
        <source>Sync with Google Drive</source>
        <translation>与 Google 云端硬盘同步</translation>
    </message>
    <message>
        <source>&lt;b&gt;Local Folder Sync&lt;/b&gt; makes it possible to share the data between computers e.g. via Dropbox or network drive.</source>
        <translation>&lt;b&gt;本地文件夹同步&lt;/b&gt;可以在多台计算机之间共享数据，例如通过 Dropbox 或网络驱动器。</translation>
    </message>
    <message>
        <source>Sync with Local Folder</source>
        <translation>与本地文件夹同步</translation>
    </message>
    <message>
        <source>Stop synchronizing the data</source>
        <translation>停止同步数据</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>同步</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>上传</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Full Sync</source>
        <translation>完全同步</translation>
    </message>
    <message>
        <source>Sync status:</source>
        <translation>同步状态：</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Sync clipboard history</source>
        <translation>同步剪贴板历史记录</translation>
    </message>
    <message>
        <source>Sync snippets</source>
        <translation>同步片段</translation>
    </message>
    <message>
        <source>Sync actions</source>
        <translation>同步动作</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>加密</translation>
    </message>
    <message>
        <source>Encrypt data</source>
        <translation>加密数据</translation>
    </message>
    <message>
        <source>Passphrase:</source>
        <translation>密码短语：</translation>
    </message>
    <message>
        <source>Sync Target Folder</source>
        <translation>同步目标文件夹</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>Connected Clients</source>
        <translation>已连接的设备</translation>
    </message>
    <message>
        <source>No connection</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Last success</source>
        <translation>上次成功</translation>
    </message>
    <message>
        <source>Not synchronized</source>
        <translation>未同步</translation>
    </message>
    <message>
        <source>Encryption needs a passphrase.</source>
        <translation>加密需要密码短语。</translation>
    </message>
    <message>
        <source>Please authorize Kestovan to access your Google Drive on the browser.</source>
        <translation>请在浏览器中授权 Kestovan 访问您的 Google 云端硬盘。</translation>
    </message>
    <message>
        <source>Please choose the sync folder.</source>
        <translation>请选择同步文件夹。</translation>
    </message>
    <message>
        <source>Show log</source>
        <translation>显示日志</translation>
    </message>
    <message>
        <source>The remote data will be overwritten with your local content. Are you sure you want to continue?</source>
        <translation>远程数据将被您的本地内容覆盖。确定要继续吗？</translation>
    </message>
    <message>
        <source>All your local content will be overwritten with the remote data. Are you sure you want to continue?</source>
        <translation>您的所有本地内容都将被远程数据覆盖。确定要继续吗？</translation>
    </message>
    <message>
        <source>Failed to connect to the notification server.</source>
        <translation>无法连接到通知服务器。</translation>
    </message>
    <message>
        <source>No connection to the notification server.</source>
        <translation>未连接到通知服务器。</translation>
    </message>
</context>
</TS>
