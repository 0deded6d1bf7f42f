<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hi_IN">
<context>
    <name>ActionEditor</name>
    <message>
        <source>Details</source>
        <translation>विवरण</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>शीर्षक:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>विवरण:</translation>
    </message>
    <message>
        <source>Extra Parameters</source>
        <translation>अतिरिक्त पैरामीटर</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>इनपुट</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>आउटपुट</translation>
    </message>
    <message>
        <source>New action</source>
        <translation>नई क्रिया</translation>
    </message>
    <message>
        <source>The quick brown fox jumps over the lazy dog.</source>
        <translation>तेज़ भूरी लोमड़ी आलसी कुत्ते के ऊपर से कूदती है।</translation>
    </message>
    <message>
        <source>Status: Evaluating...</source>
        <translation>स्थिति: जाँच हो रही है...</translation>
    </message>
    <message>
        <source>Status: </source>
        <translation>स्थिति: </translation>
    </message>
    <message>
        <source>Success</source>
        <translation>सफल</translation>
    </message>
    <message>
        <source>Writing the action file failed: </source>
        <translation>क्रिया फ़ाइल लिखी नहीं जा सकी: </translation>
    </message>
</context>
<context>
    <name>ActionList</name>
    <message>
        <source>To lowercase</source>
        <translation>छोटे अक्षरों में</translation>
    </message>
    <message>
        <source>Converts the text to lowercase.</source>
        <translation>टेक्स्ट को छोटे अक्षरों में बदलता है।</translation>
    </message>
    <message>
        <source>To uppercase</source>
        <translation>बड़े अक्षरों में</translation>
    </message>
    <message>
        <source>Converts the text to uppercase.</source>
        <translation>टेक्स्ट को बड़े अक्षरों में बदलता है।</translation>
    </message>
    <message>
        <source>JSON Pretty Print</source>
        <translation>JSON सुव्यवस्थित करें</translation>
    </message>
    <message>
        <source>Formats JSON to be more human readable</source>
        <translation>JSON को पढ़ने में आसान बनाने के लिए व्यवस्थित करता है</translation>
    </message>
    <message>
        <source>Stript HTML tags</source>
        <translation>HTML टैग हटाएँ</translation>
    </message>
    <message>
        <source>Removes HTML tags from the text</source>
        <translation>टेक्स्ट से HTML टैग हटाता है</translation>
    </message>
    <message>
        <source>Current time</source>
        <translation>वर्तमान समय</translation>
    </message>
    <message>
        <source>Writes the current date and time</source>
        <translation>वर्तमान दिनांक और समय लिखता है</translation>
    </message>
    <message>
        <source>Generate password</source>
        <translation>पासवर्ड बनाएँ</translation>
    </message>
    <message>
        <source>Creates a random password</source>
        <translation>एक यादृच्छिक पासवर्ड बनाता है</translation>
    </message>
    <message>
        <source>Hex dump</source>
        <translation>हेक्स डंप</translation>
    </message>
    <message>
        <source>Creates hex dump of UTF-8 encoded string</source>
        <translation>UTF-8 एन्कोडेड स्ट्रिंग का हेक्स डंप बनाता है</translation>
    </message>
    <message>
        <source>Date to Value</source>
        <translation>दिनांक से मान</translation>
    </message>
    <message>
        <source>Converts the date and time to value</source>
        <translation>दिनांक और समय को संख्यात्मक मान में बदलता है</translation>
    </message>
    <message>
        <source>Value to Date</source>
        <translation>मान से दिनांक</translation>
    </message>
    <message>
        <source>Converts the value to date and time</source>
        <translation>संख्यात्मक मान को दिनांक और समय में बदलता है</translation>
    </message>
    <message>
        <source>Create GUID</source>
        <translation>GUID बनाएँ</translation>
    </message>
    <message>
        <source>Creates a globally uniqued identifier</source>
        <translation>एक वैश्विक रूप से अद्वितीय पहचानकर्ता बनाता है</translation>
    </message>
    <message>
        <source>Word wrap</source>
        <translation>पंक्ति लपेटें</translation>
    </message>
    <message>
        <source>Wraps long lines to be less than given length</source>
        <translation>लंबी पंक्तियों को दी गई लंबाई के भीतर लपेटता है</translation>
    </message>
    <message>
        <source>Split lines</source>
        <translation>पंक्तियों में बाँटें</translation>
    </message>
    <message>
        <source>Splits the clipping from the separator that is most times in the text</source>
        <translation>क्लिपिंग को उस विभाजक पर बाँटता है जो टेक्स्ट में सबसे अधिक बार आता है</translation>
    </message>
    <message>
        <source>Built-in actions cannot be edited.</source>
        <translation>अंतर्निहित क्रियाएँ संपादित नहीं की जा सकतीं।</translation>
    </message>
    <message>
        <source>There are errors in the action script.</source>
        <translation>क्रिया की स्क्रिप्ट में त्रुटियाँ हैं।</translation>
    </message>
    <message>
        <source>View</source>
        <translation>देखें</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>संपादित करें</translation>
    </message>
    <message>
        <source>Remove shortcut</source>
        <translation>शॉर्टकट हटाएँ</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>शॉर्टकट सेट करें</translation>
    </message>
    <message>
        <source>Show in menu</source>
        <translation>मेनू में दिखाएँ</translation>
    </message>
    <message>
        <source>Hide from menu</source>
        <translation>मेनू से छिपाएँ</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>हटाएँ</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the action &apos;%1&apos;?</source>
        <translation>क्या आप वाकई क्रिया “%1” हटाना चाहते हैं?</translation>
    </message>
    <message>
        <source>Failed to delete the file &apos;%1&apos;.</source>
        <translation>फ़ाइल “%1” हटाई नहीं जा सकी।</translation>
    </message>
</context>
<context>
    <name>ApplicationsList</name>
    <message>
        <source>Don&apos;t add copied items to history</source>
        <translation>कॉपी किए गए आइटम इतिहास में न जोड़ें</translation>
    </message>
    <message>
        <source>Exclude from history</source>
        <translation>इतिहास से बाहर रखें</translation>
    </message>
    <message>
        <source>Never copy images to clipboard</source>
        <translation>छवियों को कभी भी क्लिपबोर्ड पर कॉपी न करें</translation>
    </message>
    <message>
        <source>Ignore images</source>
        <translation>छवियों को अनदेखा करें</translation>
    </message>
    <message>
        <source>Always copy as plain text only</source>
        <translation>हमेशा केवल सादे टेक्स्ट के रूप में कॉपी करें</translation>
    </message>
    <message>
        <source>Plain text only</source>
        <translation>केवल सादा टेक्स्ट</translation>
    </message>
    <message>
        <source>Clear style from text</source>
        <translation>टेक्स्ट से फ़ॉर्मैटिंग हटाएँ</translation>
    </message>
    <message>
        <source>Clear style</source>
        <translation>फ़ॉर्मैटिंग हटाएँ</translation>
    </message>
    <message>
        <source>Do not expand keywords</source>
        <translation>कीवर्ड का विस्तार न करें</translation>
    </message>
    <message>
        <source>Don&apos;t expand keywords</source>
        <translation>कीवर्ड का विस्तार न करें</translation>
    </message>
    <message>
        <source>Delay text expansion for %1 ms</source>
        <translation>टेक्स्ट विस्तार में %1 ms की देरी करें</translation>
    </message>
    <message>
        <source>Set text expansion delay...</source>
        <translation>टेक्स्ट विस्तार की देरी सेट करें...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>निकालें</translation>
    </message>
</context>
<context>
    <name>ClipboardListener</name>
    <message>
        <source>The copied picture (%1 x %2) was not recorded: it is larger than Kestovan can hold.</source>
        <translation>कॉपी की गई छवि (%1 x %2) दर्ज नहीं की गई: यह उससे बड़ी है जितनी Kestovan संभाल सकता है।</translation>
    </message>
</context>
<context>
    <name>CopyToCache</name>
    <message>
        <source>Unsafe file name %1/%2</source>
        <translation>असुरक्षित फ़ाइल नाम %1/%2</translation>
    </message>
    <message>
        <source>No data folder</source>
        <translation>कोई डेटा फ़ोल्डर नहीं</translation>
    </message>
    <message>
        <source>%1 is not a local file</source>
        <translation>%1 स्थानीय फ़ाइल नहीं है</translation>
    </message>
    <message>
        <source>The image cannot be written as %1</source>
        <translation>छवि को %1 के रूप में नहीं लिखा जा सकता</translation>
    </message>
</context>
<context>
    <name>CustomKeySequenceEdit</name>
    <message>
        <source>Hold Ctrl, Alt or Meta with the key; only F1 to F35 work alone.</source>
        <translation>कुंजी के साथ Ctrl, Alt या Meta दबाए रखें; केवल F1 से F35 अकेले काम करती हैं।</translation>
    </message>
</context>
<context>
    <name>DelayDialog</name>
    <message>
        <source>Set delay</source>
        <translation>देरी सेट करें</translation>
    </message>
    <message>
        <source>Text expansion delay (in ms)</source>
        <translation>टेक्स्ट विस्तार की देरी (ms में)</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
</context>
<context>
    <name>Downloader</name>
    <message>
        <source>Downloading</source>
        <translation>डाउनलोड हो रहा है</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>रद्द करें</translation>
    </message>
</context>
<context>
    <name>EditDialog</name>
    <message>
        <source>Edit clipping</source>
        <translation>क्लिपिंग संपादित करें</translation>
    </message>
</context>
<context>
    <name>HeaderCarousel</name>
    <message>
        <source>Reset</source>
        <translation>रीसेट करें</translation>
    </message>
    <message>
        <source>Show locked</source>
        <translation>लॉक की गई दिखाएँ</translation>
    </message>
    <message>
        <source>Show recent</source>
        <translation>हाल की दिखाएँ</translation>
    </message>
    <message>
        <source>Show &apos;%1&apos;</source>
        <translation>“%1” दिखाएँ</translation>
    </message>
</context>
<context>
    <name>HistoryContextMenu</name>
    <message>
        <source>Context menu</source>
        <translation>संदर्भ मेनू</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>चिपकाएँ</translation>
    </message>
    <message>
        <source>Plain Text</source>
        <translation>सादा टेक्स्ट</translation>
    </message>
    <message>
        <source>Type Text</source>
        <translation>टेक्स्ट टाइप करें</translation>
    </message>
    <message>
        <source>Unstylish text</source>
        <translation>बिना फ़ॉर्मैटिंग का टेक्स्ट</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>संपादित करें...</translation>
    </message>
    <message>
        <source>Paste as Image</source>
        <translation>छवि के रूप में चिपकाएँ</translation>
    </message>
    <message>
        <source>Paste as File</source>
        <translation>फ़ाइल के रूप में चिपकाएँ</translation>
    </message>
    <message>
        <source>Extract texts</source>
        <translation>टेक्स्ट निकालें</translation>
    </message>
    <message>
        <source>Release lock</source>
        <translation>लॉक हटाएँ</translation>
    </message>
    <message>
        <source>Keep forever</source>
        <translation>हमेशा रखें</translation>
    </message>
    <message>
        <source>Add to snippets</source>
        <translation>स्निपेट में जोड़ें</translation>
    </message>
    <message>
        <source>Add to &apos;%1&apos;</source>
        <translation>“%1” में जोड़ें</translation>
    </message>
    <message>
        <source>Run action</source>
        <translation>क्रिया चलाएँ</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>निकालें</translation>
    </message>
    <message>
        <source>Remove all</source>
        <translation>सभी निकालें</translation>
    </message>
    <message>
        <source>Paste selected</source>
        <translation>चुने हुए चिपकाएँ</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>मिलाएँ</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>क्रम उलटें</translation>
    </message>
    <message>
        <source>Remove selected</source>
        <translation>चुने हुए निकालें</translation>
    </message>
    <message>
        <source>Added to snippets &apos;%1&apos;</source>
        <translation>स्निपेट “%1” में जोड़ा गया</translation>
    </message>
    <message>
        <source>Failed to run action &apos;%1&apos;
%2</source>
        <translation>क्रिया “%1” नहीं चलाई जा सकी
%2</translation>
    </message>
</context>
<context>
    <name>HistoryItemModel</name>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>फ़ोल्डर %1 नहीं बनाया जा सकता।</translation>
    </message>
    <message>
        <source>Writing the clippings file failed: </source>
        <translation>क्लिपिंग फ़ाइल लिखी नहीं जा सकी: </translation>
    </message>
    <message>
        <source>Failed to read the clippings file: </source>
        <translation>क्लिपिंग फ़ाइल पढ़ी नहीं जा सकी: </translation>
    </message>
    <message>
        <source>The clippings file was written by a newer version of Kestovan: </source>
        <translation>क्लिपिंग फ़ाइल Kestovan के नए संस्करण ने लिखी है: </translation>
    </message>
    <message>
        <source>The clippings file is too large to load: </source>
        <translation>क्लिपिंग फ़ाइल लोड करने के लिए बहुत बड़ी है: </translation>
    </message>
    <message>
        <source>Failed to parse the clippings file: </source>
        <translation>क्लिपिंग फ़ाइल पार्स नहीं की जा सकी: </translation>
    </message>
    <message>
        <source>An image clipping cannot be saved:</source>
        <translation>छवि क्लिपिंग सहेजी नहीं जा सकती:</translation>
    </message>
    <message>
        <source>The copied text was not recorded: it would make the clippings file larger than the %1 MB Kestovan can read.</source>
        <translation>कॉपी किया गया टेक्स्ट दर्ज नहीं किया गया: इससे क्लिपिंग फ़ाइल उस %1 MB से बड़ी हो जाती जिसे Kestovan पढ़ सकता है।</translation>
    </message>
</context>
<context>
    <name>ImageEditDialog</name>
    <message>
        <source>Edit Image</source>
        <translation>छवि संपादित करें</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>चुनें</translation>
    </message>
    <message>
        <source>Draw arrows</source>
        <translation>तीर बनाएँ</translation>
    </message>
    <message>
        <source>Arrow</source>
        <translation>तीर</translation>
    </message>
    <message>
        <source>Draw rectangles</source>
        <translation>आयत बनाएँ</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>आयत</translation>
    </message>
    <message>
        <source>Draw numbers</source>
        <translation>संख्याएँ लगाएँ</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>संख्याएँ</translation>
    </message>
    <message>
        <source>Tooltip</source>
        <translation>टिप्पणी</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>हाइलाइट करें</translation>
    </message>
    <message>
        <source>Crop</source>
        <translation>क्रॉप करें</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>पूर्ववत करें</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>फिर से करें</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>ज़ूम:</translation>
    </message>
</context>
<context>
    <name>ImageEditGraphicsView</name>
    <message>
        <source>Text</source>
        <translation>टेक्स्ट</translation>
    </message>
    <message>
        <source>Edit the text</source>
        <translation>टेक्स्ट संपादित करें</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>संपादित करें</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>हटाएँ</translation>
    </message>
    <message>
        <source>Enter the text</source>
        <translation>टेक्स्ट दर्ज करें</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Search</source>
        <translation>खोजें</translation>
    </message>
    <message>
        <source>History</source>
        <translation>इतिहास</translation>
    </message>
    <message>
        <source>The application is not trusted. You are not able to paste to other applications.</source>
        <translation>इस ऐप्लिकेशन पर भरोसा नहीं किया गया है। आप अन्य ऐप्लिकेशन में चिपका नहीं सकते।</translation>
    </message>
    <message>
        <source>Update for Kestovan is available:

</source>
        <translation>Kestovan के लिए अपडेट उपलब्ध है:

</translation>
    </message>
    <message>
        <source>Name: </source>
        <translation>नाम: </translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>संस्करण: </translation>
    </message>
    <message>
        <source>
Do you want to upgrade now?</source>
        <translation>
क्या आप अभी अपग्रेड करना चाहते हैं?</translation>
    </message>
</context>
<context>
    <name>Monitor</name>
    <message>
        <source>Clipboard Monitor</source>
        <translation>क्लिपबोर्ड मॉनिटर</translation>
    </message>
</context>
<context>
    <name>MonitorList</name>
    <message>
        <source>+%1 bytes more</source>
        <translation>+%1 बाइट और</translation>
    </message>
</context>
<context>
    <name>OCR</name>
    <message>
        <source>Extract texts</source>
        <translation>टेक्स्ट निकालें</translation>
    </message>
    <message>
        <source>Failed to extract texts from the image.

</source>
        <translation>छवि से टेक्स्ट नहीं निकाला जा सका।

</translation>
    </message>
    <message>
        <source>%1 crashed.</source>
        <translation>%1 क्रैश हो गया।</translation>
    </message>
    <message>
        <source>%1 ended with exit code %2.</source>
        <translation>%1 निकास कोड %2 के साथ समाप्त हुआ।</translation>
    </message>
    <message>
        <source>Unable to find any texts in the image.</source>
        <translation>छवि में कोई टेक्स्ट नहीं मिला।</translation>
    </message>
    <message>
        <source>%1 is not a program that can be run.</source>
        <translation>%1 चलाया जा सकने वाला प्रोग्राम नहीं है।</translation>
    </message>
    <message>
        <source>Kestovan requires a free tool called Tesseract OCR for the extract texts feature.</source>
        <translation>टेक्स्ट निकालने की सुविधा के लिए Kestovan को Tesseract OCR नामक एक निःशुल्क टूल की आवश्यकता है।</translation>
    </message>
    <message>
        <source>You can install it with your package manager, for example:</source>
        <translation>आप इसे अपने पैकेज मैनेजर से इंस्टॉल कर सकते हैं, उदाहरण के लिए:</translation>
    </message>
    <message>
        <source>You can download the tool from here:</source>
        <translation>आप यह टूल यहाँ से डाउनलोड कर सकते हैं:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>ठीक है</translation>
    </message>
</context>
<context>
    <name>QKeySequenceEdit</name>
    <message>
        <source>Press shortcut</source>
        <translation>शॉर्टकट दबाएँ</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>पूर्ववत करें(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>फिर से करें(&amp;R)</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>काटें(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>कॉपी करें(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>चिपकाएँ(&amp;P)</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>हटाएँ</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>सभी चुनें</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Failure at line %1: %2</source>
        <translation>पंक्ति %1 पर त्रुटि: %2</translation>
    </message>
    <message>
        <source>Failure: %1</source>
        <translation>त्रुटि: %1</translation>
    </message>
    <message>
        <source>The action script did not finish within %1 seconds.</source>
        <translation>क्रिया की स्क्रिप्ट %1 सेकंड में पूरी नहीं हुई।</translation>
    </message>
    <message>
        <source>The action script is not a function.</source>
        <translation>क्रिया की स्क्रिप्ट कोई फ़ंक्शन नहीं है।</translation>
    </message>
    <message>
        <source>The script engine could not be loaded: %1</source>
        <translation>स्क्रिप्ट इंजन लोड नहीं हो सका: %1</translation>
    </message>
    <message>
        <source>The function %1 is missing from %2</source>
        <translation>%2 में फ़ंक्शन %1 नहीं है</translation>
    </message>
    <message>
        <source>Failed to open: </source>
        <translation>खोला नहीं जा सका: </translation>
    </message>
    <message>
        <source>Failed to parse json: </source>
        <translation>JSON पार्स नहीं किया जा सका: </translation>
    </message>
    <message>
        <source>The action has been deleted: </source>
        <translation>क्रिया हटा दी गई है: </translation>
    </message>
    <message>
        <source>A few seconds ago</source>
        <translation>कुछ सेकंड पहले</translation>
    </message>
    <message>
        <source>A minute ago</source>
        <translation>एक मिनट पहले</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>%n मिनट पहले</numerusform>
            <numerusform>%n मिनट पहले</numerusform>
        </translation>
    </message>
    <message>
        <source>An hour ago</source>
        <translation>एक घंटा पहले</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>%n घंटा पहले</numerusform>
            <numerusform>%n घंटे पहले</numerusform>
        </translation>
    </message>
    <message>
        <source>A day ago</source>
        <translation>एक दिन पहले</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>%n दिन पहले</numerusform>
            <numerusform>%n दिन पहले</numerusform>
        </translation>
    </message>
    <message>
        <source>The clippings cannot be saved; what is copied now is lost when Kestovan quits.</source>
        <translation>क्लिपिंग सहेजी नहीं जा सकतीं; अभी जो कॉपी किया जाएगा वह Kestovan बंद होने पर खो जाएगा।</translation>
    </message>
    <message>
        <source>Pasting is not available</source>
        <translation>चिपकाना उपलब्ध नहीं है</translation>
    </message>
    <message>
        <source>Kestovan pastes into other applications with the XTEST extension of the X server, and this X server does not offer it.

Start the X server with the XTEST extension enabled to paste from Kestovan.</source>
        <translation>Kestovan अन्य ऐप्लिकेशन में X सर्वर के XTEST एक्सटेंशन से चिपकाता है, और यह X सर्वर उसे उपलब्ध नहीं कराता।

Kestovan से चिपकाने के लिए X सर्वर को XTEST एक्सटेंशन सक्षम करके शुरू करें।</translation>
    </message>
    <message>
        <source>The snippets cannot be saved; changes are lost when Kestovan quits.</source>
        <translation>स्निपेट सहेजे नहीं जा सकते; Kestovan बंद होने पर बदलाव खो जाएँगे।</translation>
    </message>
    <message>
        <source>Failed to run action &apos;%1&apos;
%2</source>
        <translation>क्रिया “%1” नहीं चलाई जा सकी
%2</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>दिखाएँ</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>सेटिंग्स</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>बाहर निकलें</translation>
    </message>
    <message>
        <source>Kestovan is already running!</source>
        <translation>Kestovan पहले से चल रहा है!</translation>
    </message>
    <message>
        <source>The network library could not be loaded: %1</source>
        <translation>नेटवर्क लाइब्रेरी लोड नहीं हो सकी: %1</translation>
    </message>
    <message>
        <source>A copy of it was kept as </source>
        <translation>इसकी एक प्रति यहाँ रखी गई: </translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file and was not read. Kestovan starts with its default settings, and changes made now are lost when it quits.</source>
        <translation>सेटिंग्स फ़ाइल %1 सामान्य फ़ाइल नहीं है और पढ़ी नहीं गई। Kestovan अपनी डिफ़ॉल्ट सेटिंग्स के साथ शुरू होता है, और अभी किए गए बदलाव इसके बंद होने पर खो जाएँगे।</translation>
    </message>
    <message>
        <source>The settings cannot be saved to %1; changes made now are lost when Kestovan quits.</source>
        <translation>सेटिंग्स %1 में सहेजी नहीं जा सकतीं; अभी किए गए बदलाव Kestovan बंद होने पर खो जाएँगे।</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>ठीक है</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>रद्द करें</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>बंद करें</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>सहेजें</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>हाँ(&amp;Y)</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>नहीं(&amp;N)</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>अनदेखा करें</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>&amp;Undo</source>
        <translation>पूर्ववत करें(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>फिर से करें(&amp;R)</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>काटें(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>कॉपी करें(&amp;C)</translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation>लिंक का पता कॉपी करें(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>चिपकाएँ(&amp;P)</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>हटाएँ</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>सभी चुनें</translation>
    </message>
</context>
<context>
    <name>ReleaseNotesDialog</name>
    <message>
        <source>Release Notes</source>
        <translation>रिलीज़ नोट्स</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>%1 is a chain of too many symbolic links</source>
        <translation>%1 बहुत अधिक सिम्बॉलिक लिंक की शृंखला है</translation>
    </message>
    <message>
        <source>stopped after %1 of %2 bytes: %3</source>
        <translation>%2 में से %1 बाइट के बाद रुक गया: %3</translation>
    </message>
    <message>
        <source>syncing failed: %1</source>
        <translation>डिस्क पर सिंक करना विफल रहा: %1</translation>
    </message>
    <message>
        <source>checking the size failed: %1</source>
        <translation>आकार की जाँच विफल रही: %1</translation>
    </message>
    <message>
        <source>the file holds %1 of %2 bytes</source>
        <translation>फ़ाइल में %2 में से %1 बाइट हैं</translation>
    </message>
    <message>
        <source>%1 cannot be opened for writing: %2</source>
        <translation>%1 लिखने के लिए खोली नहीं जा सकती: %2</translation>
    </message>
    <message>
        <source>Closing %1 failed: %2</source>
        <translation>%1 बंद करना विफल रहा: %2</translation>
    </message>
    <message>
        <source>Renaming %1 to %2 failed: %3</source>
        <translation>%1 का नाम बदलकर %2 करना विफल रहा: %3</translation>
    </message>
    <message>
        <source>Refusing to replace %1 with empty content.</source>
        <translation>%1 को खाली सामग्री से नहीं बदला जाएगा।</translation>
    </message>
    <message>
        <source>Writing %1 failed: %2</source>
        <translation>%1 लिखना विफल रहा: %2</translation>
    </message>
    <message>
        <source>%1 already exists</source>
        <translation>%1 पहले से मौजूद है</translation>
    </message>
    <message>
        <source>%1 cannot be opened for reading: %2</source>
        <translation>%1 पढ़ने के लिए खोली नहीं जा सकती: %2</translation>
    </message>
    <message>
        <source>Reading %1 failed: %2</source>
        <translation>%1 पढ़ना विफल रहा: %2</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 मौजूद नहीं है</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 सामान्य फ़ाइल नहीं है</translation>
    </message>
    <message>
        <source>%1 has %2 bytes, more than the %3 a data file may have</source>
        <translation>%1 में %2 बाइट हैं, जो डेटा फ़ाइल की सीमा %3 से अधिक है</translation>
    </message>
    <message>
        <source>%1 would have %2 bytes, more than the %3 a data file may have</source>
        <translation>%1 में %2 बाइट होते, जो डेटा फ़ाइल की सीमा %3 से अधिक है</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>सेटिंग्स</translation>
    </message>
    <message>
        <source>General</source>
        <translation>सामान्य</translation>
    </message>
    <message>
        <source>History</source>
        <translation>इतिहास</translation>
    </message>
    <message>
        <source>Snippets</source>
        <translation>स्निपेट</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>सिंक</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>ऐप्लिकेशन</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>क्रियाएँ</translation>
    </message>
    <message>
        <source>About</source>
        <translation>परिचय</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>ऐप्लिकेशन</translation>
    </message>
    <message>
        <source>Start automatically</source>
        <translation>अपने आप शुरू करें</translation>
    </message>
    <message>
        <source>Always open on mouse location</source>
        <translation>हमेशा माउस की जगह पर खोलें</translation>
    </message>
    <message>
        <source>Keep last selected tab</source>
        <translation>पिछला चुना हुआ टैब याद रखें</translation>
    </message>
    <message>
        <source>Open Kestovan</source>
        <translation>Kestovan खोलें</translation>
    </message>
    <message>
        <source>Paste as plain text</source>
        <translation>सादे टेक्स्ट के रूप में चिपकाएँ</translation>
    </message>
    <message>
        <source>Paste next from history</source>
        <translation>इतिहास से अगला चिपकाएँ</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>भाषा:</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>थीम</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>हल्की</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>गहरी</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>स्वचालित</translation>
    </message>
    <message>
        <source>Debugging</source>
        <translation>डीबगिंग</translation>
    </message>
    <message>
        <source>Send crash dump files for analysis</source>
        <translation>विश्लेषण के लिए क्रैश डंप फ़ाइलें भेजें</translation>
    </message>
    <message>
        <source>Write debug log</source>
        <translation>डीबग लॉग लिखें</translation>
    </message>
    <message>
        <source>Show File</source>
        <translation>फ़ाइल दिखाएँ</translation>
    </message>
    <message>
        <source>Clipboard monitor</source>
        <translation>क्लिपबोर्ड मॉनिटर</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>दिखाएँ</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>इतिहास में</translation>
    </message>
    <message>
        <source>Items in the history</source>
        <translation>आइटम रखें</translation>
    </message>
    <message>
        <source>Ignore text smaller than</source>
        <translation>इससे छोटा टेक्स्ट अनदेखा करें:</translation>
    </message>
    <message>
        <source>characters</source>
        <translation>वर्ण</translation>
    </message>
    <message>
        <source>Ignore text larger than</source>
        <translation>इससे बड़ा टेक्स्ट अनदेखा करें:</translation>
    </message>
    <message>
        <source>kB</source>
        <translation>kB</translation>
    </message>
    <message>
        <source>Initial selection:</source>
        <translation>प्रारंभिक चयन:</translation>
    </message>
    <message>
        <source>Add images to history</source>
        <translation>छवियों को इतिहास में जोड़ें</translation>
    </message>
    <message>
        <source>Paste from history as plain text</source>
        <translation>इतिहास से सादे टेक्स्ट के रूप में चिपकाएँ</translation>
    </message>
    <message>
        <source>Clear history on exit</source>
        <translation>बाहर निकलते समय इतिहास साफ़ करें</translation>
    </message>
    <message>
        <source>Show compact List</source>
        <translation>संक्षिप्त सूची दिखाएँ</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;There are no applications.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;कोई ऐप्लिकेशन नहीं है।&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>जोड़ें...</translation>
    </message>
    <message>
        <source>Release notes</source>
        <translation>रिलीज़ नोट्स</translation>
    </message>
    <message>
        <source>Update check</source>
        <translation>अपडेट</translation>
    </message>
    <message>
        <source>Check for update</source>
        <translation>अपडेट की जाँच करें</translation>
    </message>
    <message>
        <source>Update now</source>
        <translation>अभी अपडेट करें</translation>
    </message>
    <message>
        <source>First</source>
        <translation>पहला</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>दूसरा</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>अगला</translation>
    </message>
    <message>
        <source>Update check failed</source>
        <translation>अपडेट की जाँच विफल रही</translation>
    </message>
    <message>
        <source>Updated version is available</source>
        <translation>नया संस्करण उपलब्ध है</translation>
    </message>
    <message>
        <source>No update available</source>
        <translation>कोई अपडेट उपलब्ध नहीं है</translation>
    </message>
    <message>
        <source>Kestovan, the clipboard manager of the Morva developers.</source>
        <translation>Kestovan, Morva डेवलपर्स का क्लिपबोर्ड मैनेजर।</translation>
    </message>
    <message>
        <source>Version: %1.%2&lt;br&gt;</source>
        <translation>संस्करण: %1.%2&lt;br&gt;</translation>
    </message>
    <message>
        <source>Build on %1&lt;br&gt;&lt;br&gt;</source>
        <translation>%1 को बिल्ड किया गया&lt;br&gt;&lt;br&gt;</translation>
    </message>
    <message>
        <source>Feature requests and bug reports can be sent to:&lt;br&gt;</source>
        <translation>सुविधा के अनुरोध और बग रिपोर्ट यहाँ भेजी जा सकती हैं:&lt;br&gt;</translation>
    </message>
    <message>
        <source>Kestovan could not be kept from starting at login: the file %1 could not be removed.</source>
        <translation>Kestovan को लॉगिन पर शुरू होने से रोका नहीं जा सका: फ़ाइल %1 हटाई नहीं जा सकी।</translation>
    </message>
    <message>
        <source>Kestovan could not be set to start at login: the file %1 could not be written.</source>
        <translation>Kestovan को लॉगिन पर शुरू होने के लिए सेट नहीं किया जा सका: फ़ाइल %1 लिखी नहीं जा सकी।</translation>
    </message>
    <message>
        <source>The size limit must be at least 1 kB: a smaller one would ignore every text. The stored number is kept.</source>
        <translation>आकार सीमा कम से कम 1 kB होनी चाहिए: इससे छोटी सीमा हर टेक्स्ट को अनदेखा कर देगी। सहेजी गई संख्या बनी रहती है।</translation>
    </message>
    <message>
        <source>Type a number of characters. The stored number is kept.</source>
        <translation>वर्णों की संख्या लिखें। सहेजी गई संख्या बनी रहती है।</translation>
    </message>
    <message>
        <source>Keep at least 1 item in the history: fewer would delete every clipping. The stored number is kept.</source>
        <translation>इतिहास में कम से कम 1 आइटम रखें: इससे कम हर क्लिपिंग को हटा देगा। सहेजी गई संख्या बनी रहती है।</translation>
    </message>
</context>
<context>
    <name>ShortcutDialog</name>
    <message>
        <source>Enter shortcut</source>
        <translation>शॉर्टकट दर्ज करें</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>शॉर्टकट सेट करें</translation>
    </message>
</context>
<context>
    <name>SnippetClipDialog</name>
    <message>
        <source>Choose clipping type</source>
        <translation>क्लिपिंग का प्रकार चुनें</translation>
    </message>
    <message>
        <source>Clipping type</source>
        <translation>क्लिपिंग का प्रकार</translation>
    </message>
    <message>
        <source>Current clipping</source>
        <translation>वर्तमान क्लिपिंग</translation>
    </message>
    <message>
        <source>Clipping from position</source>
        <translation>स्थान से क्लिपिंग</translation>
    </message>
    <message>
        <source>Clipping that matches</source>
        <translation>मेल खाने वाली क्लिपिंग</translation>
    </message>
    <message>
        <source>Enter regular expression which is matched with the clipping history</source>
        <translation>वह रेगुलर एक्सप्रेशन दर्ज करें जिसका मिलान क्लिपिंग इतिहास से होगा</translation>
    </message>
</context>
<context>
    <name>SnippetModel</name>
    <message>
        <source>The file holds no Kestovan snippets; nothing was imported.</source>
        <translation>फ़ाइल में कोई Kestovan स्निपेट नहीं है; कुछ भी आयात नहीं किया गया।</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>फ़ोल्डर %1 नहीं बनाया जा सकता।</translation>
    </message>
    <message>
        <source>Writing the snippets file failed: </source>
        <translation>स्निपेट फ़ाइल लिखी नहीं जा सकी: </translation>
    </message>
    <message>
        <source>Failed to read the snippets file: </source>
        <translation>स्निपेट फ़ाइल पढ़ी नहीं जा सकी: </translation>
    </message>
    <message>
        <source>The snippets file was written by a newer version of Kestovan: </source>
        <translation>स्निपेट फ़ाइल Kestovan के नए संस्करण ने लिखी है: </translation>
    </message>
    <message>
        <source>Failed to parse the snippets file: </source>
        <translation>स्निपेट फ़ाइल पार्स नहीं की जा सकी: </translation>
    </message>
    <message>
        <source>The snippets file is too large to load: </source>
        <translation>स्निपेट फ़ाइल लोड करने के लिए बहुत बड़ी है: </translation>
    </message>
</context>
<context>
    <name>SnippetsPage</name>
    <message>
        <source>Settings</source>
        <translation>सेटिंग्स</translation>
    </message>
    <message>
        <source>Only expand keyword after space is pressed</source>
        <translation>स्पेस दबाने के बाद ही कीवर्ड का विस्तार करें</translation>
    </message>
    <message>
        <source>Import/Export Snippets</source>
        <translation>स्निपेट आयात/निर्यात करें</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>आयात करें</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>निर्यात करें</translation>
    </message>
    <message>
        <source>Snippets</source>
        <translation>स्निपेट</translation>
    </message>
    <message>
        <source>Add new group</source>
        <translation>नया समूह जोड़ें</translation>
    </message>
    <message>
        <source>Remove group</source>
        <translation>समूह निकालें</translation>
    </message>
    <message>
        <source>Edit group</source>
        <translation>समूह संपादित करें</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>ऊपर ले जाएँ</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>नीचे ले जाएँ</translation>
    </message>
    <message>
        <source>Add new snippet</source>
        <translation>नया स्निपेट जोड़ें</translation>
    </message>
    <message>
        <source>Remove snippet</source>
        <translation>स्निपेट निकालें</translation>
    </message>
    <message>
        <source>Edit snippet</source>
        <translation>स्निपेट संपादित करें</translation>
    </message>
    <message>
        <source>Move snippet to other group</source>
        <translation>स्निपेट को दूसरे समूह में ले जाएँ</translation>
    </message>
    <message>
        <source>Snippet Text</source>
        <translation>स्निपेट का टेक्स्ट</translation>
    </message>
    <message>
        <source>The content is not visible in the list</source>
        <translation>सामग्री सूची में दिखाई नहीं देती</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>डालें</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>विकल्प</translation>
    </message>
    <message>
        <source>JSON files (*.json);;All files (*.*);</source>
        <translation>JSON फ़ाइलें (*.json);;सभी फ़ाइलें (*.*);</translation>
    </message>
    <message>
        <source>Show content</source>
        <translation>सामग्री दिखाएँ</translation>
    </message>
    <message>
        <source>Hide content</source>
        <translation>सामग्री छिपाएँ</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>शॉर्टकट सेट करें</translation>
    </message>
    <message>
        <source>Clear shortcut</source>
        <translation>शॉर्टकट साफ़ करें</translation>
    </message>
    <message>
        <source>Set expand keyword</source>
        <translation>विस्तार कीवर्ड सेट करें</translation>
    </message>
    <message>
        <source>Clear expand keyword</source>
        <translation>विस्तार कीवर्ड साफ़ करें</translation>
    </message>
    <message>
        <source>Set keyword</source>
        <translation>कीवर्ड सेट करें</translation>
    </message>
    <message>
        <source>Give the keyword which will be
automatically replaced with the snippet.</source>
        <translation>वह कीवर्ड दें जो अपने आप
स्निपेट से बदल दिया जाएगा।</translation>
    </message>
    <message>
        <source>Clipping...</source>
        <translation>क्लिपिंग...</translation>
    </message>
    <message>
        <source>Cursor</source>
        <translation>कर्सर की जगह</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>क्रिया</translation>
    </message>
    <message>
        <source>Save snippets</source>
        <translation>स्निपेट सहेजें</translation>
    </message>
    <message>
        <source>Export error</source>
        <translation>निर्यात त्रुटि</translation>
    </message>
    <message>
        <source>Failed to export the snippets to </source>
        <translation>स्निपेट यहाँ निर्यात नहीं किए जा सके: </translation>
    </message>
    <message>
        <source>Load snippets</source>
        <translation>स्निपेट लोड करें</translation>
    </message>
    <message>
        <source>Import error</source>
        <translation>आयात त्रुटि</translation>
    </message>
    <message>
        <source>Failed to import the snippets from </source>
        <translation>स्निपेट यहाँ से आयात नहीं किए जा सके: </translation>
    </message>
    <message>
        <source>The file is not valid JSON: %1 at byte %2.</source>
        <translation>फ़ाइल मान्य JSON नहीं है: बाइट %2 पर %1।</translation>
    </message>
</context>
<context>
    <name>Sync</name>
    <message>
        <source>Google Drive sync is not available: this build has no Google client id and secret.</source>
        <translation>Google Drive सिंक उपलब्ध नहीं है: इस बिल्ड में Google क्लाइंट ID और सीक्रेट नहीं है।</translation>
    </message>
    <message>
        <source>Synchronizing...</source>
        <translation>सिंक हो रहा है...</translation>
    </message>
    <message>
        <source>Synchronization failed.</source>
        <translation>सिंक विफल रहा।</translation>
    </message>
    <message>
        <source>Synchronization skipped a damaged file: %1</source>
        <translation>सिंक ने एक क्षतिग्रस्त फ़ाइल छोड़ दी: %1</translation>
    </message>
    <message>
        <source>Synchronization successful.</source>
        <translation>सिंक सफल रहा।</translation>
    </message>
    <message>
        <source>Google Drive sync is not available: %1</source>
        <translation>Google Drive सिंक उपलब्ध नहीं है: %1</translation>
    </message>
    <message>
        <source>Decryption failed for %1: the passphrases of your computers may differ.</source>
        <translation>%1 को डिक्रिप्ट करना विफल रहा: आपके कंप्यूटरों के पासफ़्रेज़ अलग हो सकते हैं।</translation>
    </message>
    <message>
        <source>Synchronization refused what is not encrypted while encryption is on: %1</source>
        <translation>एन्क्रिप्शन चालू होने के कारण सिंक ने बिना एन्क्रिप्ट की गई सामग्री अस्वीकार कर दी: %1</translation>
    </message>
    <message>
        <source>Synchronization is not working: the sync folder %1 cannot be found.</source>
        <translation>सिंक काम नहीं कर रहा है: सिंक फ़ोल्डर %1 नहीं मिला।</translation>
    </message>
</context>
<context>
    <name>SyncLocalFolder</name>
    <message>
        <source>Select sync target folder</source>
        <translation>सिंक के लिए लक्ष्य फ़ोल्डर चुनें</translation>
    </message>
</context>
<context>
    <name>SyncLogDialog</name>
    <message>
        <source>Filter</source>
        <translation>फ़िल्टर</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>निर्यात करें</translation>
    </message>
    <message>
        <source>Clear Log</source>
        <translation>लॉग साफ़ करें</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>ठीक है</translation>
    </message>
    <message>
        <source>Save sync log</source>
        <translation>सिंक लॉग सहेजें</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*.*);</source>
        <translation>टेक्स्ट फ़ाइलें (*.txt);;सभी फ़ाइलें (*.*);</translation>
    </message>
    <message>
        <source>Save error</source>
        <translation>सहेजने में त्रुटि</translation>
    </message>
    <message>
        <source>Failed to save the sync log to </source>
        <translation>सिंक लॉग यहाँ सहेजा नहीं जा सका: </translation>
    </message>
</context>
<context>
    <name>SyncReplyPage</name>
    <message>
        <source>Authentication succeeded!</source>
        <translation>प्रमाणीकरण सफल रहा!</translation>
    </message>
    <message>
        <source>Authentication failed!</source>
        <translation>प्रमाणीकरण विफल रहा!</translation>
    </message>
    <message>
        <source>You may close the browser window now.</source>
        <translation>अब आप ब्राउज़र विंडो बंद कर सकते हैं।</translation>
    </message>
</context>
<context>
    <name>SyncSettings</name>
    <message>
        <source>Select where do you want to sync the data:</source>
        <translation>चुनें कि डेटा कहाँ सिंक करना है:</translation>
    </message>
    <message>
        <source>&lt;b&gt;Google Drive Sync&lt;/b&gt; stores the data to the application specific folder in your personal Google account.</source>
        <translation>&lt;b&gt;Google Drive सिंक&lt;/b&gt; डेटा को आपके निजी Google खाते में इस एप्लिकेशन के अपने फ़ोल्डर में रखता है।</translation>
    </message>
    <message>
        <source>Sync with Google Drive</source>
        <translation>Google Drive के साथ सिंक करें</translation>
    </message>
    <message>
        <source>&lt;b&gt;Local Folder Sync&lt;/b&gt; makes it possible to share the data between computers e.g. via Dropbox or network drive.</source>
        <translation>&lt;b&gt;फ़ोल्डर सिंक&lt;/b&gt; से डेटा कंप्यूटरों के बीच साझा किया जा सकता है, जैसे Dropbox या नेटवर्क ड्राइव से।</translation>
    </message>
    <message>
        <source>Sync with Local Folder</source>
        <translation>फ़ोल्डर के साथ सिंक करें</translation>
    </message>
    <message>
        <source>Stop synchronizing the data</source>
        <translation>डेटा सिंक करना बंद करें</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>सिंक</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>अपलोड</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>डाउनलोड</translation>
    </message>
    <message>
        <source>Full Sync</source>
        <translation>पूरा सिंक</translation>
    </message>
    <message>
        <source>Sync status:</source>
        <translation>सिंक स्थिति:</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>सेटिंग्स</translation>
    </message>
    <message>
        <source>Sync clipboard history</source>
        <translation>क्लिपबोर्ड इतिहास सिंक करें</translation>
    </message>
    <message>
        <source>Sync snippets</source>
        <translation>स्निपेट सिंक करें</translation>
    </message>
    <message>
        <source>Sync actions</source>
        <translation>क्रियाएँ सिंक करें</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>एन्क्रिप्शन</translation>
    </message>
    <message>
        <source>Encrypt data</source>
        <translation>डेटा एन्क्रिप्ट करें</translation>
    </message>
    <message>
        <source>Passphrase:</source>
        <translation>पासफ़्रेज़:</translation>
    </message>
    <message>
        <source>Sync Target Folder</source>
        <translation>सिंक फ़ोल्डर</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>ब्राउज़ करें</translation>
    </message>
    <message>
        <source>Connected Clients</source>
        <translation>जुड़े हुए डिवाइस</translation>
    </message>
    <message>
        <source>No connection</source>
        <translation>कोई कनेक्शन नहीं</translation>
    </message>
    <message>
        <source>Last success</source>
        <translation>पिछली सफलता</translation>
    </message>
    <message>
        <source>Not synchronized</source>
        <translation>सिंक नहीं हुआ</translation>
    </message>
    <message>
        <source>Encryption needs a passphrase.</source>
        <translation>एन्क्रिप्शन के लिए पासफ़्रेज़ चाहिए।</translation>
    </message>
    <message>
        <source>Please authorize Kestovan to access your Google Drive on the browser.</source>
        <translation>कृपया ब्राउज़र में Kestovan को अपने Google Drive तक पहुँच की अनुमति दें।</translation>
    </message>
    <message>
        <source>Please choose the sync folder.</source>
        <translation>कृपया सिंक फ़ोल्डर चुनें।</translation>
    </message>
    <message>
        <source>Show log</source>
        <translation>लॉग दिखाएँ</translation>
    </message>
    <message>
        <source>The remote data will be overwritten with your local content. Are you sure you want to continue?</source>
        <translation>दूरस्थ डेटा आपकी स्थानीय सामग्री से बदल दिया जाएगा। क्या आप वाकई जारी रखना चाहते हैं?</translation>
    </message>
    <message>
        <source>All your local content will be overwritten with the remote data. Are you sure you want to continue?</source>
        <translation>आपकी सारी स्थानीय सामग्री दूरस्थ डेटा से बदल दी जाएगी। क्या आप वाकई जारी रखना चाहते हैं?</translation>
    </message>
    <message>
        <source>Failed to connect to the notification server.</source>
        <translation>सूचना सर्वर से कनेक्ट नहीं हो सका।</translation>
    </message>
    <message>
        <source>No connection to the notification server.</source>
        <translation>सूचना सर्वर से कोई कनेक्शन नहीं।</translation>
    </message>
</context>
</TS>
