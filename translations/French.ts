<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>ActionEditor</name>
    <message>
        <source>Details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extra Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The quick brown fox jumps over the lazy dog.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status: Evaluating...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Success</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing the action file failed: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ActionList</name>
    <message>
        <source>To lowercase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converts the text to lowercase.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To uppercase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converts the text to uppercase.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JSON Pretty Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Formats JSON to be more human readable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stript HTML tags</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removes HTML tags from the text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writes the current date and time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generate password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creates a random password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hex dump</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creates hex dump of UTF-8 encoded string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date to Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converts the date and time to value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value to Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converts the value to date and time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create GUID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creates a globally uniqued identifier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Word wrap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wraps long lines to be less than given length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Split lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Splits the clipping from the separator that is most times in the text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Built-in actions cannot be edited.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are errors in the action script.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show in menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide from menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete the action &apos;%1&apos;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to delete the file &apos;%1&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ApplicationsList</name>
    <message>
        <source>Don&apos;t add copied items to history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exclude from history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Never copy images to clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ignore images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Always copy as plain text only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plain text only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear style from text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear style</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do not expand keywords</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Don&apos;t expand keywords</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delay text expansion for %1 ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set text expansion delay...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DelayDialog</name>
    <message>
        <source>Set delay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text expansion delay (in ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ms</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Downloader</name>
    <message>
        <source>Downloading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EditDialog</name>
    <message>
        <source>Edit clipping</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HeaderCarousel</name>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show locked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show recent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HistoryContextMenu</name>
    <message>
        <source>Context menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plain Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unstylish text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste as Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste as File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extract texts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release lock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep forever</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to snippets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Merge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added to snippets &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to run action &apos;%1&apos;
%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HistoryItemModel</name>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing the clippings file failed: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to read the clippings file: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clippings file was written by a newer version of Kestovan: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clippings file is too large to load: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to parse the clippings file: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A copy of it was kept as </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An image clipping cannot be saved:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImageEditDialog</name>
    <message>
        <source>Edit Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw arrows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw rectangles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tooltip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImageEditGraphicsView</name>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit the text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the text</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The application is not trusted. You are not able to paste to other applications.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update for Kestovan is available:

</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Do you want to upgrade now?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Monitor</name>
    <message>
        <source>Clipboard Monitor</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MonitorList</name>
    <message>
        <source>+%1 bytes more</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OCR</name>
    <message>
        <source>Extract texts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to extract texts from the image.

</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 crashed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 ended with exit code %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to find any texts in the image.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a program that can be run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kestovan requires a free tool called Tesseract OCR for the extract texts feature.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You can install it with your package manager, for example:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You can download the tool from here:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Failure at line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failure: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The action script did not finish within %1 seconds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The action script is not a function.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to open: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to parse json: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The action has been deleted: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A few seconds ago</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A minute ago</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n minutes ago</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>An hour ago</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n hours ago</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>A day ago</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n days ago</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>The clippings cannot be saved; what is copied now is lost when Kestovan quits.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pasting is not available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kestovan pastes into other applications with the XTEST extension of the X server, and this X server does not offer it.

Start the X server with the XTEST extension enabled to paste from Kestovan.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The snippets cannot be saved; changes are lost when Kestovan quits.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to run action &apos;%1&apos;
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kestovan is already running!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReleaseNotesDialog</name>
    <message>
        <source>Release Notes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Snippets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sync</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applications</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Application</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Always open on mouse location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep last selected tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Kestovan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste as plain text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste next from history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Light</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Debugging</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send crash dump files for analysis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write debug log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clipboard monitor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Items in the history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ignore text smaller than</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ignore text larger than</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initial selection:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add images to history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste from history as plain text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear history on exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show compact List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;There are no applications.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update check failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated version is available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No update available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kestovan, the clipboard manager of the Morva developers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version: %1.%2&lt;br&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Build on %1&lt;br&gt;&lt;br&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Feature requests and bug reports can be sent to:&lt;br&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kestovan could not be set to start at login: the file %1 could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShortcutDialog</name>
    <message>
        <source>Enter shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SnippetClipDialog</name>
    <message>
        <source>Choose clipping type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clipping type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current clipping</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clipping from position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clipping that matches</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter regular expression which is matched with the clipping history</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SnippetModel</name>
    <message>
        <source>The file holds no Kestovan snippets; nothing was imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing the snippets file failed: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to read the snippets file: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The snippets file was written by a newer version of Kestovan: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to parse the snippets file: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The snippets file is too large to load: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A copy of it was kept as </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SnippetsPage</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only expand keyword after space is pressed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import/Export Snippets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Snippets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add new group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add new snippet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove snippet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit snippet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move snippet to other group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Snippet Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The content is not visible in the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JSON files (*.json);;All files (*.*);</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set expand keyword</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear expand keyword</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set keyword</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give the keyword which will be
automatically replaced with the snippet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clipping...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cursor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save snippets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to export the snippets to </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load snippets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to import the snippets from </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is not valid JSON: %1 at byte %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Sync</name>
    <message>
        <source>Google Drive sync is not available: this build has no Google client id and secret.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SyncLocalFolder</name>
    <message>
        <source>Select sync target folder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SyncLogDialog</name>
    <message>
        <source>Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save sync log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*.*);</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to save the sync log to </source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
