<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>ActionEditor</name>
    <message>
        <source>Details</source>
        <translation>Detalhes</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Título:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Descrição:</translation>
    </message>
    <message>
        <source>Extra Parameters</source>
        <translation>Parâmetros extras</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Entrada</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Saída</translation>
    </message>
    <message>
        <source>New action</source>
        <translation>Nova ação</translation>
    </message>
    <message>
        <source>The quick brown fox jumps over the lazy dog.</source>
        <translation>Um pequeno jabuti xereta viu dez cegonhas felizes.</translation>
    </message>
    <message>
        <source>Status: Evaluating...</source>
        <translation>Status: avaliando...</translation>
    </message>
    <message>
        <source>Status: </source>
        <translation>Status: </translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Sucesso</translation>
    </message>
    <message>
        <source>Writing the action file failed: </source>
        <translation>Falha ao gravar o arquivo da ação: </translation>
    </message>
</context>
<context>
    <name>ActionList</name>
    <message>
        <source>To lowercase</source>
        <translation>Para minúsculas</translation>
    </message>
    <message>
        <source>Converts the text to lowercase.</source>
        <translation>Converte o texto para minúsculas.</translation>
    </message>
    <message>
        <source>To uppercase</source>
        <translation>Para maiúsculas</translation>
    </message>
    <message>
        <source>Converts the text to uppercase.</source>
        <translation>Converte o texto para maiúsculas.</translation>
    </message>
    <message>
        <source>JSON Pretty Print</source>
        <translation>Formatar JSON</translation>
    </message>
    <message>
        <source>Formats JSON to be more human readable</source>
        <translation>Formata o JSON para facilitar a leitura</translation>
    </message>
    <message>
        <source>Stript HTML tags</source>
        <translation>Remover tags HTML</translation>
    </message>
    <message>
        <source>Removes HTML tags from the text</source>
        <translation>Remove as tags HTML do texto</translation>
    </message>
    <message>
        <source>Current time</source>
        <translation>Hora atual</translation>
    </message>
    <message>
        <source>Writes the current date and time</source>
        <translation>Escreve a data e a hora atuais</translation>
    </message>
    <message>
        <source>Generate password</source>
        <translation>Gerar senha</translation>
    </message>
    <message>
        <source>Creates a random password</source>
        <translation>Cria uma senha aleatória</translation>
    </message>
    <message>
        <source>Hex dump</source>
        <translation>Despejo hexadecimal</translation>
    </message>
    <message>
        <source>Creates hex dump of UTF-8 encoded string</source>
        <translation>Cria um despejo hexadecimal do texto codificado em UTF-8</translation>
    </message>
    <message>
        <source>Date to Value</source>
        <translation>Data para valor</translation>
    </message>
    <message>
        <source>Converts the date and time to value</source>
        <translation>Converte a data e a hora em valor numérico</translation>
    </message>
    <message>
        <source>Value to Date</source>
        <translation>Valor para data</translation>
    </message>
    <message>
        <source>Converts the value to date and time</source>
        <translation>Converte o valor numérico em data e hora</translation>
    </message>
    <message>
        <source>Create GUID</source>
        <translation>Criar GUID</translation>
    </message>
    <message>
        <source>Creates a globally uniqued identifier</source>
        <translation>Cria um identificador global exclusivo</translation>
    </message>
    <message>
        <source>Word wrap</source>
        <translation>Quebra de linha</translation>
    </message>
    <message>
        <source>Wraps long lines to be less than given length</source>
        <translation>Quebra as linhas longas no comprimento indicado</translation>
    </message>
    <message>
        <source>Split lines</source>
        <translation>Dividir em linhas</translation>
    </message>
    <message>
        <source>Splits the clipping from the separator that is most times in the text</source>
        <translation>Divide o item no separador que mais aparece no texto</translation>
    </message>
    <message>
        <source>Built-in actions cannot be edited.</source>
        <translation>As ações integradas não podem ser editadas.</translation>
    </message>
    <message>
        <source>There are errors in the action script.</source>
        <translation>O script da ação contém erros.</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ver</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Editar</translation>
    </message>
    <message>
        <source>Remove shortcut</source>
        <translation>Remover atalho</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>Definir atalho</translation>
    </message>
    <message>
        <source>Show in menu</source>
        <translation>Mostrar no menu</translation>
    </message>
    <message>
        <source>Hide from menu</source>
        <translation>Ocultar do menu</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Excluir</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the action &apos;%1&apos;?</source>
        <translation>Tem certeza de que deseja excluir a ação “%1”?</translation>
    </message>
    <message>
        <source>Failed to delete the file &apos;%1&apos;.</source>
        <translation>Falha ao excluir o arquivo “%1”.</translation>
    </message>
</context>
<context>
    <name>ApplicationsList</name>
    <message>
        <source>Don&apos;t add copied items to history</source>
        <translation>Não adicionar itens copiados ao histórico</translation>
    </message>
    <message>
        <source>Exclude from history</source>
        <translation>Não registrar no histórico</translation>
    </message>
    <message>
        <source>Never copy images to clipboard</source>
        <translation>Nunca copiar imagens para a área de transferência</translation>
    </message>
    <message>
        <source>Ignore images</source>
        <translation>Ignorar imagens</translation>
    </message>
    <message>
        <source>Always copy as plain text only</source>
        <translation>Sempre copiar apenas como texto simples</translation>
    </message>
    <message>
        <source>Plain text only</source>
        <translation>Somente texto simples</translation>
    </message>
    <message>
        <source>Clear style from text</source>
        <translation>Remover a formatação do texto</translation>
    </message>
    <message>
        <source>Clear style</source>
        <translation>Remover formatação</translation>
    </message>
    <message>
        <source>Do not expand keywords</source>
        <translation>Não expandir palavras-chave</translation>
    </message>
    <message>
        <source>Don&apos;t expand keywords</source>
        <translation>Não expandir palavras-chave</translation>
    </message>
    <message>
        <source>Delay text expansion for %1 ms</source>
        <translation>Atrasar a expansão de texto em %1 ms</translation>
    </message>
    <message>
        <source>Set text expansion delay...</source>
        <translation>Definir atraso da expansão de texto...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remover</translation>
    </message>
</context>
<context>
    <name>ClipboardListener</name>
    <message>
        <source>The copied picture (%1 x %2) was not recorded: it is larger than Kestovan can hold.</source>
        <translation>A imagem copiada (%1 x %2) não foi registrada: ela é maior do que o Kestovan consegue guardar.</translation>
    </message>
</context>
<context>
    <name>CopyToCache</name>
    <message>
        <source>Unsafe file name %1/%2</source>
        <translation>Nome de arquivo inseguro %1/%2</translation>
    </message>
    <message>
        <source>No data folder</source>
        <translation>Nenhuma pasta de dados</translation>
    </message>
    <message>
        <source>%1 is not a local file</source>
        <translation>%1 não é um arquivo local</translation>
    </message>
    <message>
        <source>The image cannot be written as %1</source>
        <translation>Não é possível gravar a imagem como %1</translation>
    </message>
</context>
<context>
    <name>CustomKeySequenceEdit</name>
    <message>
        <source>Hold Ctrl, Alt or Meta with the key; only F1 to F35 work alone.</source>
        <translation>Mantenha Ctrl, Alt ou Meta pressionada com a tecla; só F1 a F35 funcionam sozinhas.</translation>
    </message>
</context>
<context>
    <name>DelayDialog</name>
    <message>
        <source>Set delay</source>
        <translation>Definir atraso</translation>
    </message>
    <message>
        <source>Text expansion delay (in ms)</source>
        <translation>Atraso da expansão de texto (em ms)</translation>
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
        <translation>Baixando</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>EditDialog</name>
    <message>
        <source>Edit clipping</source>
        <translation>Editar item</translation>
    </message>
</context>
<context>
    <name>HeaderCarousel</name>
    <message>
        <source>Reset</source>
        <translation>Redefinir</translation>
    </message>
    <message>
        <source>Show locked</source>
        <translation>Mostrar bloqueados</translation>
    </message>
    <message>
        <source>Show recent</source>
        <translation>Mostrar recentes</translation>
    </message>
    <message>
        <source>Show &apos;%1&apos;</source>
        <translation>Mostrar “%1”</translation>
    </message>
</context>
<context>
    <name>HistoryContextMenu</name>
    <message>
        <source>Context menu</source>
        <translation>Menu de contexto</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Colar</translation>
    </message>
    <message>
        <source>Plain Text</source>
        <translation>Texto simples</translation>
    </message>
    <message>
        <source>Type Text</source>
        <translation>Digitar texto</translation>
    </message>
    <message>
        <source>Unstylish text</source>
        <translation>Texto sem formatação</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Editar...</translation>
    </message>
    <message>
        <source>Paste as Image</source>
        <translation>Colar como imagem</translation>
    </message>
    <message>
        <source>Paste as File</source>
        <translation>Colar como arquivo</translation>
    </message>
    <message>
        <source>Extract texts</source>
        <translation>Extrair textos</translation>
    </message>
    <message>
        <source>Release lock</source>
        <translation>Desbloquear</translation>
    </message>
    <message>
        <source>Keep forever</source>
        <translation>Manter para sempre</translation>
    </message>
    <message>
        <source>Add to snippets</source>
        <translation>Adicionar aos trechos</translation>
    </message>
    <message>
        <source>Add to &apos;%1&apos;</source>
        <translation>Adicionar a “%1”</translation>
    </message>
    <message>
        <source>Run action</source>
        <translation>Executar ação</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remover</translation>
    </message>
    <message>
        <source>Remove all</source>
        <translation>Remover tudo</translation>
    </message>
    <message>
        <source>Paste selected</source>
        <translation>Colar selecionados</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Mesclar</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Inverter ordem</translation>
    </message>
    <message>
        <source>Remove selected</source>
        <translation>Remover selecionados</translation>
    </message>
    <message>
        <source>Added to snippets &apos;%1&apos;</source>
        <translation>Adicionado aos trechos “%1”</translation>
    </message>
    <message>
        <source>Failed to run action &apos;%1&apos;
%2</source>
        <translation>Falha ao executar a ação “%1”
%2</translation>
    </message>
</context>
<context>
    <name>HistoryItemModel</name>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>Não é possível criar a pasta %1.</translation>
    </message>
    <message>
        <source>Writing the clippings file failed: </source>
        <translation>Falha ao gravar o arquivo do histórico: </translation>
    </message>
    <message>
        <source>Failed to read the clippings file: </source>
        <translation>Falha ao ler o arquivo do histórico: </translation>
    </message>
    <message>
        <source>The clippings file was written by a newer version of Kestovan: </source>
        <translation>O arquivo do histórico foi gravado por uma versão mais recente do Kestovan: </translation>
    </message>
    <message>
        <source>The clippings file is too large to load: </source>
        <translation>O arquivo do histórico é grande demais para ser carregado: </translation>
    </message>
    <message>
        <source>Failed to parse the clippings file: </source>
        <translation>Falha ao interpretar o arquivo do histórico: </translation>
    </message>
    <message>
        <source>An image clipping cannot be saved:</source>
        <translation>Não é possível salvar um item de imagem:</translation>
    </message>
    <message>
        <source>The copied text was not recorded: it would make the clippings file larger than the %1 MB Kestovan can read.</source>
        <translation>O texto copiado não foi registrado: ele deixaria o arquivo do histórico maior do que os %1 MB que o Kestovan consegue ler.</translation>
    </message>
</context>
<context>
    <name>ImageEditDialog</name>
    <message>
        <source>Edit Image</source>
        <translation>Editar imagem</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Selecionar</translation>
    </message>
    <message>
        <source>Draw arrows</source>
        <translation>Desenhar setas</translation>
    </message>
    <message>
        <source>Arrow</source>
        <translation>Seta</translation>
    </message>
    <message>
        <source>Draw rectangles</source>
        <translation>Desenhar retângulos</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Retângulo</translation>
    </message>
    <message>
        <source>Draw numbers</source>
        <translation>Inserir números</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Números</translation>
    </message>
    <message>
        <source>Tooltip</source>
        <translation>Balão</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>Destacar</translation>
    </message>
    <message>
        <source>Crop</source>
        <translation>Cortar</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Desfazer</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Refazer</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>Zoom:</translation>
    </message>
</context>
<context>
    <name>ImageEditGraphicsView</name>
    <message>
        <source>Text</source>
        <translation>Texto</translation>
    </message>
    <message>
        <source>Edit the text</source>
        <translation>Editar o texto</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Editar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Excluir</translation>
    </message>
    <message>
        <source>Enter the text</source>
        <translation>Digite o texto</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Search</source>
        <translation>Pesquisar</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Histórico</translation>
    </message>
    <message>
        <source>The application is not trusted. You are not able to paste to other applications.</source>
        <translation>O aplicativo não é confiável. Não é possível colar em outros aplicativos.</translation>
    </message>
    <message>
        <source>Update for Kestovan is available:

</source>
        <translation>Há uma atualização disponível para o Kestovan:

</translation>
    </message>
    <message>
        <source>Name: </source>
        <translation>Nome: </translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>Versão: </translation>
    </message>
    <message>
        <source>
Do you want to upgrade now?</source>
        <translation>
Deseja atualizar agora?</translation>
    </message>
</context>
<context>
    <name>Monitor</name>
    <message>
        <source>Clipboard Monitor</source>
        <translation>Monitor da área de transferência</translation>
    </message>
</context>
<context>
    <name>MonitorList</name>
    <message>
        <source>+%1 bytes more</source>
        <translation>+%1 bytes a mais</translation>
    </message>
</context>
<context>
    <name>OCR</name>
    <message>
        <source>Extract texts</source>
        <translation>Extrair textos</translation>
    </message>
    <message>
        <source>Failed to extract texts from the image.

</source>
        <translation>Falha ao extrair textos da imagem.

</translation>
    </message>
    <message>
        <source>%1 crashed.</source>
        <translation>%1 travou.</translation>
    </message>
    <message>
        <source>%1 ended with exit code %2.</source>
        <translation>%1 terminou com o código de saída %2.</translation>
    </message>
    <message>
        <source>Unable to find any texts in the image.</source>
        <translation>Nenhum texto foi encontrado na imagem.</translation>
    </message>
    <message>
        <source>%1 is not a program that can be run.</source>
        <translation>%1 não é um programa executável.</translation>
    </message>
    <message>
        <source>Kestovan requires a free tool called Tesseract OCR for the extract texts feature.</source>
        <translation>Para extrair textos, o Kestovan precisa de uma ferramenta gratuita chamada Tesseract OCR.</translation>
    </message>
    <message>
        <source>You can install it with your package manager, for example:</source>
        <translation>Você pode instalá-la com o seu gerenciador de pacotes, por exemplo:</translation>
    </message>
    <message>
        <source>You can download the tool from here:</source>
        <translation>Você pode baixar a ferramenta aqui:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QKeySequenceEdit</name>
    <message>
        <source>Press shortcut</source>
        <translation>Tecle o atalho</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Desfazer</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Refazer</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Recor&amp;tar</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>C&amp;olar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Excluir</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Selecionar tudo</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Failure at line %1: %2</source>
        <translation>Falha na linha %1: %2</translation>
    </message>
    <message>
        <source>Failure: %1</source>
        <translation>Falha: %1</translation>
    </message>
    <message>
        <source>The action script did not finish within %1 seconds.</source>
        <translation>O script da ação não terminou em %1 segundos.</translation>
    </message>
    <message>
        <source>The action script is not a function.</source>
        <translation>O script da ação não é uma função.</translation>
    </message>
    <message>
        <source>The script engine could not be loaded: %1</source>
        <translation>Não foi possível carregar o mecanismo de scripts: %1</translation>
    </message>
    <message>
        <source>The function %1 is missing from %2</source>
        <translation>A função %1 não está em %2</translation>
    </message>
    <message>
        <source>Failed to open: </source>
        <translation>Falha ao abrir: </translation>
    </message>
    <message>
        <source>Failed to parse json: </source>
        <translation>Falha ao interpretar o JSON: </translation>
    </message>
    <message>
        <source>The action has been deleted: </source>
        <translation>A ação foi excluída: </translation>
    </message>
    <message>
        <source>A few seconds ago</source>
        <translation>Há alguns segundos</translation>
    </message>
    <message>
        <source>A minute ago</source>
        <translation>Há um minuto</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>Há %n minuto</numerusform>
            <numerusform>Há %n minutos</numerusform>
        </translation>
    </message>
    <message>
        <source>An hour ago</source>
        <translation>Há uma hora</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>Há %n hora</numerusform>
            <numerusform>Há %n horas</numerusform>
        </translation>
    </message>
    <message>
        <source>A day ago</source>
        <translation>Há um dia</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>Há %n dia</numerusform>
            <numerusform>Há %n dias</numerusform>
        </translation>
    </message>
    <message>
        <source>The clippings cannot be saved; what is copied now is lost when Kestovan quits.</source>
        <translation>Não é possível salvar o histórico; o que for copiado agora será perdido quando o Kestovan for encerrado.</translation>
    </message>
    <message>
        <source>Pasting is not available</source>
        <translation>Não é possível colar</translation>
    </message>
    <message>
        <source>Kestovan pastes into other applications with the XTEST extension of the X server, and this X server does not offer it.

Start the X server with the XTEST extension enabled to paste from Kestovan.</source>
        <translation>O Kestovan cola em outros aplicativos por meio da extensão XTEST do servidor X, e este servidor X não a oferece.

Inicie o servidor X com a extensão XTEST ativada para colar a partir do Kestovan.</translation>
    </message>
    <message>
        <source>The snippets cannot be saved; changes are lost when Kestovan quits.</source>
        <translation>Não é possível salvar os trechos; as alterações serão perdidas quando o Kestovan for encerrado.</translation>
    </message>
    <message>
        <source>Failed to run action &apos;%1&apos;
%2</source>
        <translation>Falha ao executar a ação “%1”
%2</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Mostrar</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>Kestovan is already running!</source>
        <translation>O Kestovan já está em execução!</translation>
    </message>
    <message>
        <source>The network library could not be loaded: %1</source>
        <translation>Não foi possível carregar a biblioteca de rede: %1</translation>
    </message>
    <message>
        <source>A copy of it was kept as </source>
        <translation>Uma cópia foi mantida como </translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file and was not read. Kestovan starts with its default settings, and changes made now are lost when it quits.</source>
        <translation>O arquivo de configurações %1 não é um arquivo comum e não foi lido. O Kestovan inicia com as configurações padrão, e as alterações feitas agora serão perdidas quando ele for encerrado.</translation>
    </message>
    <message>
        <source>The settings cannot be saved to %1; changes made now are lost when Kestovan quits.</source>
        <translation>Não é possível salvar as configurações em %1; as alterações feitas agora serão perdidas quando o Kestovan for encerrado.</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salvar</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Sim</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Não</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorar</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Desfazer</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Refazer</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Recor&amp;tar</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation>Copiar endereço do &amp;link</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>C&amp;olar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Excluir</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Selecionar tudo</translation>
    </message>
</context>
<context>
    <name>ReleaseNotesDialog</name>
    <message>
        <source>Release Notes</source>
        <translation>Notas da versão</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>%1 is a chain of too many symbolic links</source>
        <translation>%1 é uma cadeia com links simbólicos demais</translation>
    </message>
    <message>
        <source>stopped after %1 of %2 bytes: %3</source>
        <translation>interrompido após %1 de %2 bytes: %3</translation>
    </message>
    <message>
        <source>syncing failed: %1</source>
        <translation>falha ao sincronizar com o disco: %1</translation>
    </message>
    <message>
        <source>checking the size failed: %1</source>
        <translation>falha ao verificar o tamanho: %1</translation>
    </message>
    <message>
        <source>the file holds %1 of %2 bytes</source>
        <translation>o arquivo contém %1 de %2 bytes</translation>
    </message>
    <message>
        <source>%1 cannot be opened for writing: %2</source>
        <translation>Não é possível abrir %1 para gravação: %2</translation>
    </message>
    <message>
        <source>Closing %1 failed: %2</source>
        <translation>Falha ao fechar %1: %2</translation>
    </message>
    <message>
        <source>Renaming %1 to %2 failed: %3</source>
        <translation>Falha ao renomear %1 para %2: %3</translation>
    </message>
    <message>
        <source>Refusing to replace %1 with empty content.</source>
        <translation>%1 não será substituído por um conteúdo vazio.</translation>
    </message>
    <message>
        <source>Writing %1 failed: %2</source>
        <translation>Falha ao gravar %1: %2</translation>
    </message>
    <message>
        <source>%1 already exists</source>
        <translation>%1 já existe</translation>
    </message>
    <message>
        <source>%1 cannot be opened for reading: %2</source>
        <translation>Não é possível abrir %1 para leitura: %2</translation>
    </message>
    <message>
        <source>Reading %1 failed: %2</source>
        <translation>Falha ao ler %1: %2</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 não existe</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 não é um arquivo comum</translation>
    </message>
    <message>
        <source>%1 has %2 bytes, more than the %3 a data file may have</source>
        <translation>%1 tem %2 bytes, mais do que os %3 permitidos para um arquivo de dados</translation>
    </message>
    <message>
        <source>%1 would have %2 bytes, more than the %3 a data file may have</source>
        <translation>%1 teria %2 bytes, mais do que os %3 permitidos para um arquivo de dados</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Geral</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Histórico</translation>
    </message>
    <message>
        <source>Snippets</source>
        <translation>Trechos</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Sincronização</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Aplicativos</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>Ações</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Aplicativo</translation>
    </message>
    <message>
        <source>Start automatically</source>
        <translation>Iniciar automaticamente</translation>
    </message>
    <message>
        <source>Always open on mouse location</source>
        <translation>Sempre abrir na posição do mouse</translation>
    </message>
    <message>
        <source>Keep last selected tab</source>
        <translation>Manter a última aba selecionada</translation>
    </message>
    <message>
        <source>Open Kestovan</source>
        <translation>Abrir o Kestovan</translation>
    </message>
    <message>
        <source>Paste as plain text</source>
        <translation>Colar como texto simples</translation>
    </message>
    <message>
        <source>Paste next from history</source>
        <translation>Colar o próximo do histórico</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Idioma:</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Tema</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Claro</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Escuro</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automático</translation>
    </message>
    <message>
        <source>Debugging</source>
        <translation>Depuração</translation>
    </message>
    <message>
        <source>Send crash dump files for analysis</source>
        <translation>Enviar relatórios de falha para análise</translation>
    </message>
    <message>
        <source>Write debug log</source>
        <translation>Gravar log de depuração</translation>
    </message>
    <message>
        <source>Show File</source>
        <translation>Mostrar arquivo</translation>
    </message>
    <message>
        <source>Clipboard monitor</source>
        <translation>Monitor da área de transferência</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Mostrar</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Manter</translation>
    </message>
    <message>
        <source>Items in the history</source>
        <translation>itens no histórico</translation>
    </message>
    <message>
        <source>Ignore text smaller than</source>
        <translation>Ignorar textos com menos de</translation>
    </message>
    <message>
        <source>characters</source>
        <translation>caracteres</translation>
    </message>
    <message>
        <source>Ignore text larger than</source>
        <translation>Ignorar textos com mais de</translation>
    </message>
    <message>
        <source>kB</source>
        <translation>kB</translation>
    </message>
    <message>
        <source>Initial selection:</source>
        <translation>Seleção inicial:</translation>
    </message>
    <message>
        <source>Add images to history</source>
        <translation>Adicionar imagens ao histórico</translation>
    </message>
    <message>
        <source>Paste from history as plain text</source>
        <translation>Colar do histórico como texto simples</translation>
    </message>
    <message>
        <source>Clear history on exit</source>
        <translation>Limpar o histórico ao sair</translation>
    </message>
    <message>
        <source>Show compact List</source>
        <translation>Mostrar lista compacta</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;There are no applications.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Não há aplicativos.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Adicionar...</translation>
    </message>
    <message>
        <source>Release notes</source>
        <translation>Notas da versão</translation>
    </message>
    <message>
        <source>Update check</source>
        <translation>Atualizações</translation>
    </message>
    <message>
        <source>Check for update</source>
        <translation>Verificar atualizações</translation>
    </message>
    <message>
        <source>Update now</source>
        <translation>Atualizar agora</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Primeiro</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>Segundo</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Próximo</translation>
    </message>
    <message>
        <source>Update check failed</source>
        <translation>Falha ao verificar atualizações</translation>
    </message>
    <message>
        <source>Updated version is available</source>
        <translation>Há uma nova versão disponível</translation>
    </message>
    <message>
        <source>No update available</source>
        <translation>Nenhuma atualização disponível</translation>
    </message>
    <message>
        <source>Kestovan, the clipboard manager of the Morva developers.</source>
        <translation>Kestovan, o gerenciador de área de transferência dos desenvolvedores da Morva.</translation>
    </message>
    <message>
        <source>Version: %1.%2&lt;br&gt;</source>
        <translation>Versão: %1.%2&lt;br&gt;</translation>
    </message>
    <message>
        <source>Build on %1&lt;br&gt;&lt;br&gt;</source>
        <translation>Compilado em %1&lt;br&gt;&lt;br&gt;</translation>
    </message>
    <message>
        <source>Feature requests and bug reports can be sent to:&lt;br&gt;</source>
        <translation>Sugestões e relatórios de erros podem ser enviados para:&lt;br&gt;</translation>
    </message>
    <message>
        <source>Kestovan could not be kept from starting at login: the file %1 could not be removed.</source>
        <translation>Não foi possível impedir o Kestovan de iniciar com a sessão: o arquivo %1 não pôde ser removido.</translation>
    </message>
    <message>
        <source>Kestovan could not be set to start at login: the file %1 could not be written.</source>
        <translation>Não foi possível configurar o Kestovan para iniciar com a sessão: o arquivo %1 não pôde ser gravado.</translation>
    </message>
    <message>
        <source>The size limit must be at least 1 kB: a smaller one would ignore every text. The stored number is kept.</source>
        <translation>O limite de tamanho deve ser de pelo menos 1 kB: um limite menor ignoraria todos os textos. O número salvo é mantido.</translation>
    </message>
    <message>
        <source>Type a number of characters. The stored number is kept.</source>
        <translation>Digite um número de caracteres. O número salvo é mantido.</translation>
    </message>
    <message>
        <source>Keep at least 1 item in the history: fewer would delete every clipping. The stored number is kept.</source>
        <translation>Mantenha pelo menos 1 item no histórico: menos apagaria todos os itens. O número salvo é mantido.</translation>
    </message>
</context>
<context>
    <name>ShortcutDialog</name>
    <message>
        <source>Enter shortcut</source>
        <translation>Digite o atalho</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>Definir atalho</translation>
    </message>
</context>
<context>
    <name>SnippetClipDialog</name>
    <message>
        <source>Choose clipping type</source>
        <translation>Escolher o tipo de item</translation>
    </message>
    <message>
        <source>Clipping type</source>
        <translation>Tipo de item</translation>
    </message>
    <message>
        <source>Current clipping</source>
        <translation>Item atual</translation>
    </message>
    <message>
        <source>Clipping from position</source>
        <translation>Item na posição</translation>
    </message>
    <message>
        <source>Clipping that matches</source>
        <translation>Item correspondente</translation>
    </message>
    <message>
        <source>Enter regular expression which is matched with the clipping history</source>
        <translation>Digite uma expressão regular a ser comparada com o histórico</translation>
    </message>
</context>
<context>
    <name>SnippetModel</name>
    <message>
        <source>The file holds no Kestovan snippets; nothing was imported.</source>
        <translation>O arquivo não contém trechos do Kestovan; nada foi importado.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>Não é possível criar a pasta %1.</translation>
    </message>
    <message>
        <source>Writing the snippets file failed: </source>
        <translation>Falha ao gravar o arquivo de trechos: </translation>
    </message>
    <message>
        <source>Failed to read the snippets file: </source>
        <translation>Falha ao ler o arquivo de trechos: </translation>
    </message>
    <message>
        <source>The snippets file was written by a newer version of Kestovan: </source>
        <translation>O arquivo de trechos foi gravado por uma versão mais recente do Kestovan: </translation>
    </message>
    <message>
        <source>Failed to parse the snippets file: </source>
        <translation>Falha ao interpretar o arquivo de trechos: </translation>
    </message>
    <message>
        <source>The snippets file is too large to load: </source>
        <translation>O arquivo de trechos é grande demais para ser carregado: </translation>
    </message>
</context>
<context>
    <name>SnippetsPage</name>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>Only expand keyword after space is pressed</source>
        <translation>Expandir a palavra-chave só depois de pressionar Espaço</translation>
    </message>
    <message>
        <source>Import/Export Snippets</source>
        <translation>Importar/exportar trechos</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importar</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>Snippets</source>
        <translation>Trechos</translation>
    </message>
    <message>
        <source>Add new group</source>
        <translation>Adicionar grupo</translation>
    </message>
    <message>
        <source>Remove group</source>
        <translation>Remover grupo</translation>
    </message>
    <message>
        <source>Edit group</source>
        <translation>Editar grupo</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Mover para cima</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Mover para baixo</translation>
    </message>
    <message>
        <source>Add new snippet</source>
        <translation>Adicionar trecho</translation>
    </message>
    <message>
        <source>Remove snippet</source>
        <translation>Remover trecho</translation>
    </message>
    <message>
        <source>Edit snippet</source>
        <translation>Editar trecho</translation>
    </message>
    <message>
        <source>Move snippet to other group</source>
        <translation>Mover trecho para outro grupo</translation>
    </message>
    <message>
        <source>Snippet Text</source>
        <translation>Texto do trecho</translation>
    </message>
    <message>
        <source>The content is not visible in the list</source>
        <translation>O conteúdo não aparece na lista</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Inserir</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opções</translation>
    </message>
    <message>
        <source>JSON files (*.json);;All files (*.*);</source>
        <translation>Arquivos JSON (*.json);;Todos os arquivos (*.*);</translation>
    </message>
    <message>
        <source>Show content</source>
        <translation>Mostrar conteúdo</translation>
    </message>
    <message>
        <source>Hide content</source>
        <translation>Ocultar conteúdo</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>Definir atalho</translation>
    </message>
    <message>
        <source>Clear shortcut</source>
        <translation>Limpar atalho</translation>
    </message>
    <message>
        <source>Set expand keyword</source>
        <translation>Definir palavra-chave de expansão</translation>
    </message>
    <message>
        <source>Clear expand keyword</source>
        <translation>Limpar palavra-chave de expansão</translation>
    </message>
    <message>
        <source>Set keyword</source>
        <translation>Definir palavra-chave</translation>
    </message>
    <message>
        <source>Give the keyword which will be
automatically replaced with the snippet.</source>
        <translation>Informe a palavra-chave que será
substituída automaticamente pelo trecho.</translation>
    </message>
    <message>
        <source>Clipping...</source>
        <translation>Item...</translation>
    </message>
    <message>
        <source>Cursor</source>
        <translation>Posição do cursor</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Ação</translation>
    </message>
    <message>
        <source>Save snippets</source>
        <translation>Salvar trechos</translation>
    </message>
    <message>
        <source>Export error</source>
        <translation>Erro ao exportar</translation>
    </message>
    <message>
        <source>Failed to export the snippets to </source>
        <translation>Falha ao exportar os trechos para </translation>
    </message>
    <message>
        <source>Load snippets</source>
        <translation>Carregar trechos</translation>
    </message>
    <message>
        <source>Import error</source>
        <translation>Erro ao importar</translation>
    </message>
    <message>
        <source>Failed to import the snippets from </source>
        <translation>Falha ao importar os trechos de </translation>
    </message>
    <message>
        <source>The file is not valid JSON: %1 at byte %2.</source>
        <translation>O arquivo não é um JSON válido: %1 no byte %2.</translation>
    </message>
</context>
<context>
    <name>Sync</name>
    <message>
        <source>Google Drive sync is not available: this build has no Google client id and secret.</source>
        <translation>A sincronização com o Google Drive não está disponível: esta compilação não tem ID nem chave secreta de cliente do Google.</translation>
    </message>
    <message>
        <source>Synchronizing...</source>
        <translation>Sincronizando...</translation>
    </message>
    <message>
        <source>Synchronization failed.</source>
        <translation>Falha na sincronização.</translation>
    </message>
    <message>
        <source>Synchronization skipped a damaged file: %1</source>
        <translation>A sincronização ignorou um arquivo danificado: %1</translation>
    </message>
    <message>
        <source>Synchronization successful.</source>
        <translation>Sincronização concluída.</translation>
    </message>
    <message>
        <source>Google Drive sync is not available: %1</source>
        <translation>A sincronização com o Google Drive não está disponível: %1</translation>
    </message>
    <message>
        <source>Decryption failed for %1: the passphrases of your computers may differ.</source>
        <translation>Falha ao desencriptar %1: as frases secretas dos seus computadores podem ser diferentes.</translation>
    </message>
    <message>
        <source>Synchronization refused what is not encrypted while encryption is on: %1</source>
        <translation>Com a encriptação ativada, a sincronização recusou o que não está encriptado: %1</translation>
    </message>
    <message>
        <source>Synchronization is not working: the sync folder %1 cannot be found.</source>
        <translation>A sincronização não está funcionando: a pasta de sincronização %1 não foi encontrada.</translation>
    </message>
</context>
<context>
    <name>SyncLocalFolder</name>
    <message>
        <source>Select sync target folder</source>
        <translation>Selecionar a pasta de sincronização</translation>
    </message>
</context>
<context>
    <name>SyncLogDialog</name>
    <message>
        <source>Filter</source>
        <translation>Filtrar</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>Clear Log</source>
        <translation>Limpar log</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Save sync log</source>
        <translation>Salvar log de sincronização</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*.*);</source>
        <translation>Arquivos de texto (*.txt);;Todos os arquivos (*.*);</translation>
    </message>
    <message>
        <source>Save error</source>
        <translation>Erro ao salvar</translation>
    </message>
    <message>
        <source>Failed to save the sync log to </source>
        <translation>Falha ao salvar o log de sincronização em </translation>
    </message>
</context>
<context>
    <name>SyncReplyPage</name>
    <message>
        <source>Authentication succeeded!</source>
        <translation>Autenticação bem-sucedida!</translation>
    </message>
    <message>
        <source>Authentication failed!</source>
        <translation>Falha na autenticação!</translation>
    </message>
    <message>
        <source>You may close the browser window now.</source>
        <translation>Você já pode fechar a janela do navegador.</translation>
    </message>
</context>
<context>
    <name>SyncSettings</name>
    <message>
        <source>Select where do you want to sync the data:</source>
        <translation>Escolha onde sincronizar os dados:</translation>
    </message>
    <message>
        <source>&lt;b&gt;Google Drive Sync&lt;/b&gt; stores the data to the application specific folder in your personal Google account.</source>
        <translation>&lt;b&gt;A sincronização com o Google Drive&lt;/b&gt; guarda os dados na pasta própria da aplicação na sua conta Google pessoal.</translation>
    </message>
    <message>
        <source>Sync with Google Drive</source>
        <translation>Sincronizar com o Google Drive</translation>
    </message>
    <message>
        <source>&lt;b&gt;Local Folder Sync&lt;/b&gt; makes it possible to share the data between computers e.g. via Dropbox or network drive.</source>
        <translation>&lt;b&gt;A sincronização por pasta&lt;/b&gt; permite partilhar os dados entre computadores, por exemplo através do Dropbox ou de uma unidade de rede.</translation>
    </message>
    <message>
        <source>Sync with Local Folder</source>
        <translation>Sincronizar com uma pasta</translation>
    </message>
    <message>
        <source>Stop synchronizing the data</source>
        <translation>Parar de sincronizar os dados</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Sincronização</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Enviar</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Transferir</translation>
    </message>
    <message>
        <source>Full Sync</source>
        <translation>Sincronizar tudo</translation>
    </message>
    <message>
        <source>Sync status:</source>
        <translation>Estado:</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Definições</translation>
    </message>
    <message>
        <source>Sync clipboard history</source>
        <translation>Sincronizar o histórico da área de transferência</translation>
    </message>
    <message>
        <source>Sync snippets</source>
        <translation>Sincronizar os trechos</translation>
    </message>
    <message>
        <source>Sync actions</source>
        <translation>Sincronizar as ações</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>Encriptação</translation>
    </message>
    <message>
        <source>Encrypt data</source>
        <translation>Encriptar os dados</translation>
    </message>
    <message>
        <source>Passphrase:</source>
        <translation>Frase secreta:</translation>
    </message>
    <message>
        <source>Sync Target Folder</source>
        <translation>Pasta de sincronização</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Procurar</translation>
    </message>
    <message>
        <source>Connected Clients</source>
        <translation>Dispositivos ligados</translation>
    </message>
    <message>
        <source>No connection</source>
        <translation>Sem ligação</translation>
    </message>
    <message>
        <source>Last success</source>
        <translation>Último sucesso</translation>
    </message>
    <message>
        <source>Not synchronized</source>
        <translation>Não sincronizado</translation>
    </message>
    <message>
        <source>Encryption needs a passphrase.</source>
        <translation>A encriptação precisa de uma frase secreta.</translation>
    </message>
    <message>
        <source>Please authorize Kestovan to access your Google Drive on the browser.</source>
        <translation>Autorize o Kestovan a aceder ao seu Google Drive no navegador.</translation>
    </message>
    <message>
        <source>Please choose the sync folder.</source>
        <translation>Escolha a pasta de sincronização.</translation>
    </message>
    <message>
        <source>Show log</source>
        <translation>Mostrar registo</translation>
    </message>
    <message>
        <source>The remote data will be overwritten with your local content. Are you sure you want to continue?</source>
        <translation>Os dados remotos serão substituídos pelo seu conteúdo local. Tem a certeza de que quer continuar?</translation>
    </message>
    <message>
        <source>All your local content will be overwritten with the remote data. Are you sure you want to continue?</source>
        <translation>Todo o seu conteúdo local será substituído pelos dados remotos. Tem a certeza de que quer continuar?</translation>
    </message>
    <message>
        <source>Failed to connect to the notification server.</source>
        <translation>Não foi possível ligar ao servidor de notificações.</translation>
    </message>
    <message>
        <source>No connection to the notification server.</source>
        <translation>Sem ligação ao servidor de notificações.</translation>
    </message>
</context>
</TS>
