<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>ActionEditor</name>
    <message>
        <source>Details</source>
        <translation>Détails</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Titre&#xa0;:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Description&#xa0;:</translation>
    </message>
    <message>
        <source>Extra Parameters</source>
        <translation>Paramètres supplémentaires</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Entrée</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>New action</source>
        <translation>Nouvelle action</translation>
    </message>
    <message>
        <source>The quick brown fox jumps over the lazy dog.</source>
        <translation>Portez ce vieux whisky au juge blond qui fume.</translation>
    </message>
    <message>
        <source>Status: Evaluating...</source>
        <translation>État&#xa0;: évaluation…</translation>
    </message>
    <message>
        <source>Status: </source>
        <translation>État&#xa0;: </translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Réussite</translation>
    </message>
    <message>
        <source>Writing the action file failed: </source>
        <translation>L&apos;écriture du fichier d&apos;action a échoué&#xa0;: </translation>
    </message>
</context>
<context>
    <name>ActionList</name>
    <message>
        <source>To lowercase</source>
        <translation>En minuscules</translation>
    </message>
    <message>
        <source>Converts the text to lowercase.</source>
        <translation>Convertit le texte en minuscules.</translation>
    </message>
    <message>
        <source>To uppercase</source>
        <translation>En majuscules</translation>
    </message>
    <message>
        <source>Converts the text to uppercase.</source>
        <translation>Convertit le texte en majuscules.</translation>
    </message>
    <message>
        <source>JSON Pretty Print</source>
        <translation>Mettre en forme le JSON</translation>
    </message>
    <message>
        <source>Formats JSON to be more human readable</source>
        <translation>Met en forme le JSON pour le rendre plus lisible</translation>
    </message>
    <message>
        <source>Stript HTML tags</source>
        <translation>Supprimer les balises HTML</translation>
    </message>
    <message>
        <source>Removes HTML tags from the text</source>
        <translation>Supprime les balises HTML du texte</translation>
    </message>
    <message>
        <source>Current time</source>
        <translation>Heure actuelle</translation>
    </message>
    <message>
        <source>Writes the current date and time</source>
        <translation>Écrit la date et l&apos;heure actuelles</translation>
    </message>
    <message>
        <source>Generate password</source>
        <translation>Générer un mot de passe</translation>
    </message>
    <message>
        <source>Creates a random password</source>
        <translation>Crée un mot de passe aléatoire</translation>
    </message>
    <message>
        <source>Hex dump</source>
        <translation>Vidage hexadécimal</translation>
    </message>
    <message>
        <source>Creates hex dump of UTF-8 encoded string</source>
        <translation>Crée un vidage hexadécimal de la chaîne encodée en UTF-8</translation>
    </message>
    <message>
        <source>Date to Value</source>
        <translation>Date en valeur</translation>
    </message>
    <message>
        <source>Converts the date and time to value</source>
        <translation>Convertit la date et l&apos;heure en valeur numérique</translation>
    </message>
    <message>
        <source>Value to Date</source>
        <translation>Valeur en date</translation>
    </message>
    <message>
        <source>Converts the value to date and time</source>
        <translation>Convertit la valeur numérique en date et heure</translation>
    </message>
    <message>
        <source>Create GUID</source>
        <translation>Créer un GUID</translation>
    </message>
    <message>
        <source>Creates a globally uniqued identifier</source>
        <translation>Crée un identifiant global unique</translation>
    </message>
    <message>
        <source>Word wrap</source>
        <translation>Retour à la ligne</translation>
    </message>
    <message>
        <source>Wraps long lines to be less than given length</source>
        <translation>Coupe les lignes trop longues à la longueur indiquée</translation>
    </message>
    <message>
        <source>Split lines</source>
        <translation>Scinder en lignes</translation>
    </message>
    <message>
        <source>Splits the clipping from the separator that is most times in the text</source>
        <translation>Scinde l&apos;élément au séparateur le plus fréquent dans le texte</translation>
    </message>
    <message>
        <source>Built-in actions cannot be edited.</source>
        <translation>Les actions intégrées ne peuvent pas être modifiées.</translation>
    </message>
    <message>
        <source>There are errors in the action script.</source>
        <translation>Le script de l&apos;action contient des erreurs.</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Afficher</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Remove shortcut</source>
        <translation>Supprimer le raccourci</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>Définir un raccourci</translation>
    </message>
    <message>
        <source>Show in menu</source>
        <translation>Afficher dans le menu</translation>
    </message>
    <message>
        <source>Hide from menu</source>
        <translation>Masquer du menu</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the action &apos;%1&apos;?</source>
        <translation>Voulez-vous vraiment supprimer l&apos;action «&#xa0;%1&#xa0;»&#xa0;?</translation>
    </message>
    <message>
        <source>Failed to delete the file &apos;%1&apos;.</source>
        <translation>Impossible de supprimer le fichier «&#xa0;%1&#xa0;».</translation>
    </message>
</context>
<context>
    <name>ApplicationsList</name>
    <message>
        <source>Don&apos;t add copied items to history</source>
        <translation>Ne pas ajouter les éléments copiés à l&apos;historique</translation>
    </message>
    <message>
        <source>Exclude from history</source>
        <translation>Exclure de l&apos;historique</translation>
    </message>
    <message>
        <source>Never copy images to clipboard</source>
        <translation>Ne jamais copier les images dans le presse-papiers</translation>
    </message>
    <message>
        <source>Ignore images</source>
        <translation>Ignorer les images</translation>
    </message>
    <message>
        <source>Always copy as plain text only</source>
        <translation>Toujours copier en texte brut uniquement</translation>
    </message>
    <message>
        <source>Plain text only</source>
        <translation>Texte brut uniquement</translation>
    </message>
    <message>
        <source>Clear style from text</source>
        <translation>Effacer la mise en forme du texte</translation>
    </message>
    <message>
        <source>Clear style</source>
        <translation>Effacer la mise en forme</translation>
    </message>
    <message>
        <source>Do not expand keywords</source>
        <translation>Ne pas développer les mots-clés</translation>
    </message>
    <message>
        <source>Don&apos;t expand keywords</source>
        <translation>Ne pas développer les mots-clés</translation>
    </message>
    <message>
        <source>Delay text expansion for %1 ms</source>
        <translation>Retarder le développement du texte de %1&#xa0;ms</translation>
    </message>
    <message>
        <source>Set text expansion delay...</source>
        <translation>Définir le délai de développement du texte…</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
</context>
<context>
    <name>ClipboardListener</name>
    <message>
        <source>The copied picture (%1 x %2) was not recorded: it is larger than Kestovan can hold.</source>
        <translation>L&apos;image copiée (%1 x %2) n&apos;a pas été enregistrée&#xa0;: elle est plus grande que ce que Kestovan peut contenir.</translation>
    </message>
</context>
<context>
    <name>CopyToCache</name>
    <message>
        <source>Unsafe file name %1/%2</source>
        <translation>Nom de fichier non sûr %1/%2</translation>
    </message>
    <message>
        <source>No data folder</source>
        <translation>Aucun dossier de données</translation>
    </message>
    <message>
        <source>%1 is not a local file</source>
        <translation>%1 n&apos;est pas un fichier local</translation>
    </message>
    <message>
        <source>The image cannot be written as %1</source>
        <translation>Impossible d&apos;enregistrer l&apos;image au format %1</translation>
    </message>
</context>
<context>
    <name>CustomKeySequenceEdit</name>
    <message>
        <source>Hold Ctrl, Alt or Meta with the key; only F1 to F35 work alone.</source>
        <translation>Maintenez Ctrl, Alt ou Méta avec la touche ; seules F1 à F35 fonctionnent seules.</translation>
    </message>
</context>
<context>
    <name>DelayDialog</name>
    <message>
        <source>Set delay</source>
        <translation>Définir le délai</translation>
    </message>
    <message>
        <source>Text expansion delay (in ms)</source>
        <translation>Délai de développement du texte (en ms)</translation>
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
        <translation>Téléchargement</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>EditDialog</name>
    <message>
        <source>Edit clipping</source>
        <translation>Modifier l&apos;élément</translation>
    </message>
</context>
<context>
    <name>HeaderCarousel</name>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Show locked</source>
        <translation>Afficher les éléments verrouillés</translation>
    </message>
    <message>
        <source>Show recent</source>
        <translation>Afficher les éléments récents</translation>
    </message>
    <message>
        <source>Show &apos;%1&apos;</source>
        <translation>Afficher «&#xa0;%1&#xa0;»</translation>
    </message>
</context>
<context>
    <name>HistoryContextMenu</name>
    <message>
        <source>Context menu</source>
        <translation>Menu contextuel</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>Plain Text</source>
        <translation>Texte brut</translation>
    </message>
    <message>
        <source>Type Text</source>
        <translation>Saisir le texte</translation>
    </message>
    <message>
        <source>Unstylish text</source>
        <translation>Texte sans mise en forme</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Modifier…</translation>
    </message>
    <message>
        <source>Paste as Image</source>
        <translation>Coller comme image</translation>
    </message>
    <message>
        <source>Paste as File</source>
        <translation>Coller comme fichier</translation>
    </message>
    <message>
        <source>Extract texts</source>
        <translation>Extraire le texte</translation>
    </message>
    <message>
        <source>Release lock</source>
        <translation>Déverrouiller</translation>
    </message>
    <message>
        <source>Keep forever</source>
        <translation>Conserver pour toujours</translation>
    </message>
    <message>
        <source>Add to snippets</source>
        <translation>Ajouter aux extraits</translation>
    </message>
    <message>
        <source>Add to &apos;%1&apos;</source>
        <translation>Ajouter à «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Run action</source>
        <translation>Exécuter l&apos;action</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Remove all</source>
        <translation>Tout retirer</translation>
    </message>
    <message>
        <source>Paste selected</source>
        <translation>Coller la sélection</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Fusionner</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Inverser l&apos;ordre</translation>
    </message>
    <message>
        <source>Remove selected</source>
        <translation>Retirer la sélection</translation>
    </message>
    <message>
        <source>Added to snippets &apos;%1&apos;</source>
        <translation>Ajouté aux extraits «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Failed to run action &apos;%1&apos;
%2</source>
        <translation>Impossible d&apos;exécuter l&apos;action «&#xa0;%1&#xa0;»
%2</translation>
    </message>
</context>
<context>
    <name>HistoryItemModel</name>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>Impossible de créer le dossier %1.</translation>
    </message>
    <message>
        <source>Writing the clippings file failed: </source>
        <translation>L&apos;écriture du fichier de l&apos;historique a échoué&#xa0;: </translation>
    </message>
    <message>
        <source>Failed to read the clippings file: </source>
        <translation>Impossible de lire le fichier de l&apos;historique&#xa0;: </translation>
    </message>
    <message>
        <source>The clippings file was written by a newer version of Kestovan: </source>
        <translation>Le fichier de l&apos;historique a été écrit par une version plus récente de Kestovan&#xa0;: </translation>
    </message>
    <message>
        <source>The clippings file is too large to load: </source>
        <translation>Le fichier de l&apos;historique est trop volumineux pour être chargé&#xa0;: </translation>
    </message>
    <message>
        <source>Failed to parse the clippings file: </source>
        <translation>Impossible d&apos;analyser le fichier de l&apos;historique&#xa0;: </translation>
    </message>
    <message>
        <source>An image clipping cannot be saved:</source>
        <translation>Un élément image ne peut pas être enregistré&#xa0;:</translation>
    </message>
    <message>
        <source>The copied text was not recorded: it would make the clippings file larger than the %1 MB Kestovan can read.</source>
        <translation>Le texte copié n&apos;a pas été enregistré&#xa0;: il rendrait le fichier de l&apos;historique plus grand que les %1 Mo que Kestovan peut lire.</translation>
    </message>
</context>
<context>
    <name>ImageEditDialog</name>
    <message>
        <source>Edit Image</source>
        <translation>Modifier l&apos;image</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Sélectionner</translation>
    </message>
    <message>
        <source>Draw arrows</source>
        <translation>Dessiner des flèches</translation>
    </message>
    <message>
        <source>Arrow</source>
        <translation>Flèche</translation>
    </message>
    <message>
        <source>Draw rectangles</source>
        <translation>Dessiner des rectangles</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>Draw numbers</source>
        <translation>Placer des numéros</translation>
    </message>
    <message>
        <source>Numbers</source>
        <translation>Numéros</translation>
    </message>
    <message>
        <source>Tooltip</source>
        <translation>Bulle</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>Surligner</translation>
    </message>
    <message>
        <source>Crop</source>
        <translation>Rogner</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler la modification</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rétablir la modification</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>Zoom&#xa0;:</translation>
    </message>
</context>
<context>
    <name>ImageEditGraphicsView</name>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Edit the text</source>
        <translation>Modifier le texte</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Enter the text</source>
        <translation>Saisissez le texte</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>The application is not trusted. You are not able to paste to other applications.</source>
        <translation>L&apos;application n&apos;est pas autorisée. Vous ne pouvez pas coller dans d&apos;autres applications.</translation>
    </message>
    <message>
        <source>Update for Kestovan is available:

</source>
        <translation>Une mise à jour de Kestovan est disponible&#xa0;:

</translation>
    </message>
    <message>
        <source>Name: </source>
        <translation>Nom&#xa0;: </translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>Version&#xa0;: </translation>
    </message>
    <message>
        <source>
Do you want to upgrade now?</source>
        <translation>
Voulez-vous effectuer la mise à jour maintenant&#xa0;?</translation>
    </message>
</context>
<context>
    <name>Monitor</name>
    <message>
        <source>Clipboard Monitor</source>
        <translation>Moniteur du presse-papiers</translation>
    </message>
</context>
<context>
    <name>MonitorList</name>
    <message>
        <source>+%1 bytes more</source>
        <translation>+%1 octets de plus</translation>
    </message>
</context>
<context>
    <name>OCR</name>
    <message>
        <source>Extract texts</source>
        <translation>Extraire le texte</translation>
    </message>
    <message>
        <source>Failed to extract texts from the image.

</source>
        <translation>Impossible d&apos;extraire le texte de l&apos;image.

</translation>
    </message>
    <message>
        <source>%1 crashed.</source>
        <translation>%1 a planté.</translation>
    </message>
    <message>
        <source>%1 ended with exit code %2.</source>
        <translation>%1 s&apos;est terminé avec le code de sortie %2.</translation>
    </message>
    <message>
        <source>Unable to find any texts in the image.</source>
        <translation>Aucun texte n&apos;a été trouvé dans l&apos;image.</translation>
    </message>
    <message>
        <source>%1 is not a program that can be run.</source>
        <translation>%1 n&apos;est pas un programme exécutable.</translation>
    </message>
    <message>
        <source>Kestovan requires a free tool called Tesseract OCR for the extract texts feature.</source>
        <translation>Pour extraire le texte, Kestovan a besoin d&apos;un outil gratuit appelé Tesseract OCR.</translation>
    </message>
    <message>
        <source>You can install it with your package manager, for example:</source>
        <translation>Vous pouvez l&apos;installer avec votre gestionnaire de paquets, par exemple&#xa0;:</translation>
    </message>
    <message>
        <source>You can download the tool from here:</source>
        <translation>Vous pouvez télécharger l&apos;outil ici&#xa0;:</translation>
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
        <translation>Raccourci…</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Co&amp;uper</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Tout sélectionner</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Failure at line %1: %2</source>
        <translation>Échec à la ligne %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Failure: %1</source>
        <translation>Échec&#xa0;: %1</translation>
    </message>
    <message>
        <source>The action script did not finish within %1 seconds.</source>
        <translation>Le script de l&apos;action ne s&apos;est pas terminé en %1 secondes.</translation>
    </message>
    <message>
        <source>The action script is not a function.</source>
        <translation>Le script de l&apos;action n&apos;est pas une fonction.</translation>
    </message>
    <message>
        <source>The script engine could not be loaded: %1</source>
        <translation>Le moteur de scripts n&apos;a pas pu être chargé&#xa0;: %1</translation>
    </message>
    <message>
        <source>The function %1 is missing from %2</source>
        <translation>La fonction %1 est absente de %2</translation>
    </message>
    <message>
        <source>Failed to open: </source>
        <translation>Impossible d&apos;ouvrir&#xa0;: </translation>
    </message>
    <message>
        <source>Failed to parse json: </source>
        <translation>Impossible d&apos;analyser le JSON&#xa0;: </translation>
    </message>
    <message>
        <source>The action has been deleted: </source>
        <translation>L&apos;action a été supprimée&#xa0;: </translation>
    </message>
    <message>
        <source>A few seconds ago</source>
        <translation>Il y a quelques secondes</translation>
    </message>
    <message>
        <source>A minute ago</source>
        <translation>Il y a une minute</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>Il y a %n minute</numerusform>
            <numerusform>Il y a %n minutes</numerusform>
        </translation>
    </message>
    <message>
        <source>An hour ago</source>
        <translation>Il y a une heure</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>Il y a %n heure</numerusform>
            <numerusform>Il y a %n heures</numerusform>
        </translation>
    </message>
    <message>
        <source>A day ago</source>
        <translation>Il y a un jour</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>Il y a %n jour</numerusform>
            <numerusform>Il y a %n jours</numerusform>
        </translation>
    </message>
    <message>
        <source>The clippings cannot be saved; what is copied now is lost when Kestovan quits.</source>
        <translation>L&apos;historique ne peut pas être enregistré&#xa0;; ce qui est copié maintenant sera perdu à la fermeture de Kestovan.</translation>
    </message>
    <message>
        <source>Pasting is not available</source>
        <translation>Le collage est indisponible</translation>
    </message>
    <message>
        <source>Kestovan pastes into other applications with the XTEST extension of the X server, and this X server does not offer it.

Start the X server with the XTEST extension enabled to paste from Kestovan.</source>
        <translation>Kestovan colle dans les autres applications grâce à l&apos;extension XTEST du serveur X, que ce serveur X ne propose pas.

Démarrez le serveur X avec l&apos;extension XTEST activée pour coller depuis Kestovan.</translation>
    </message>
    <message>
        <source>The snippets cannot be saved; changes are lost when Kestovan quits.</source>
        <translation>Les extraits ne peuvent pas être enregistrés&#xa0;; les modifications seront perdues à la fermeture de Kestovan.</translation>
    </message>
    <message>
        <source>Failed to run action &apos;%1&apos;
%2</source>
        <translation>Impossible d&apos;exécuter l&apos;action «&#xa0;%1&#xa0;»
%2</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Afficher</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Kestovan is already running!</source>
        <translation>Kestovan est déjà en cours d&apos;exécution&#xa0;!</translation>
    </message>
    <message>
        <source>The network library could not be loaded: %1</source>
        <translation>La bibliothèque réseau n&apos;a pas pu être chargée&#xa0;: %1</translation>
    </message>
    <message>
        <source>A copy of it was kept as </source>
        <translation>Une copie a été conservée sous </translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file and was not read. Kestovan starts with its default settings, and changes made now are lost when it quits.</source>
        <translation>Le fichier de paramètres %1 n&apos;est pas un fichier ordinaire et n&apos;a pas été lu. Kestovan démarre avec ses paramètres par défaut, et les modifications faites maintenant seront perdues à sa fermeture.</translation>
    </message>
    <message>
        <source>The settings cannot be saved to %1; changes made now are lost when Kestovan quits.</source>
        <translation>Les paramètres ne peuvent pas être enregistrés dans %1&#xa0;; les modifications faites maintenant seront perdues à la fermeture de Kestovan.</translation>
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
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorer</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Co&amp;uper</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation>Copier l&apos;adresse du &amp;lien</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Tout sélectionner</translation>
    </message>
</context>
<context>
    <name>ReleaseNotesDialog</name>
    <message>
        <source>Release Notes</source>
        <translation>Notes de version</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>%1 is a chain of too many symbolic links</source>
        <translation>%1 est une chaîne de trop nombreux liens symboliques</translation>
    </message>
    <message>
        <source>stopped after %1 of %2 bytes: %3</source>
        <translation>interruption après %1 octets sur %2&#xa0;: %3</translation>
    </message>
    <message>
        <source>syncing failed: %1</source>
        <translation>la synchronisation sur le disque a échoué&#xa0;: %1</translation>
    </message>
    <message>
        <source>checking the size failed: %1</source>
        <translation>la vérification de la taille a échoué&#xa0;: %1</translation>
    </message>
    <message>
        <source>the file holds %1 of %2 bytes</source>
        <translation>le fichier contient %1 octets sur %2</translation>
    </message>
    <message>
        <source>%1 cannot be opened for writing: %2</source>
        <translation>Impossible d&apos;ouvrir %1 en écriture&#xa0;: %2</translation>
    </message>
    <message>
        <source>Closing %1 failed: %2</source>
        <translation>Impossible de fermer %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Renaming %1 to %2 failed: %3</source>
        <translation>Impossible de renommer %1 en %2&#xa0;: %3</translation>
    </message>
    <message>
        <source>Refusing to replace %1 with empty content.</source>
        <translation>%1 n&apos;est pas remplacé par un contenu vide.</translation>
    </message>
    <message>
        <source>Writing %1 failed: %2</source>
        <translation>L&apos;écriture de %1 a échoué&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 already exists</source>
        <translation>%1 existe déjà</translation>
    </message>
    <message>
        <source>%1 cannot be opened for reading: %2</source>
        <translation>Impossible d&apos;ouvrir %1 en lecture&#xa0;: %2</translation>
    </message>
    <message>
        <source>Reading %1 failed: %2</source>
        <translation>La lecture de %1 a échoué&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 n&apos;existe pas</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>%1 has %2 bytes, more than the %3 a data file may have</source>
        <translation>%1 fait %2 octets, plus que les %3 permis pour un fichier de données</translation>
    </message>
    <message>
        <source>%1 would have %2 bytes, more than the %3 a data file may have</source>
        <translation>%1 ferait %2 octets, plus que les %3 permis pour un fichier de données</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Snippets</source>
        <translation>Extraits</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Synchronisation</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Applications</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>Actions</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Application</translation>
    </message>
    <message>
        <source>Start automatically</source>
        <translation>Démarrer automatiquement</translation>
    </message>
    <message>
        <source>Always open on mouse location</source>
        <translation>Toujours ouvrir à l&apos;emplacement de la souris</translation>
    </message>
    <message>
        <source>Keep last selected tab</source>
        <translation>Conserver le dernier onglet sélectionné</translation>
    </message>
    <message>
        <source>Open Kestovan</source>
        <translation>Ouvrir Kestovan</translation>
    </message>
    <message>
        <source>Paste as plain text</source>
        <translation>Coller en texte brut</translation>
    </message>
    <message>
        <source>Paste next from history</source>
        <translation>Coller l&apos;élément suivant de l&apos;historique</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Langue&#xa0;:</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Thème</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Clair</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Sombre</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Debugging</source>
        <translation>Débogage</translation>
    </message>
    <message>
        <source>Send crash dump files for analysis</source>
        <translation>Envoyer les rapports de plantage pour analyse</translation>
    </message>
    <message>
        <source>Write debug log</source>
        <translation>Écrire un journal de débogage</translation>
    </message>
    <message>
        <source>Show File</source>
        <translation>Afficher le fichier</translation>
    </message>
    <message>
        <source>Clipboard monitor</source>
        <translation>Moniteur du presse-papiers</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Afficher</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Conserver</translation>
    </message>
    <message>
        <source>Items in the history</source>
        <translation>éléments dans l&apos;historique</translation>
    </message>
    <message>
        <source>Ignore text smaller than</source>
        <translation>Ignorer le texte de moins de</translation>
    </message>
    <message>
        <source>characters</source>
        <translation>caractères</translation>
    </message>
    <message>
        <source>Ignore text larger than</source>
        <translation>Ignorer le texte de plus de</translation>
    </message>
    <message>
        <source>kB</source>
        <translation>Ko</translation>
    </message>
    <message>
        <source>Initial selection:</source>
        <translation>Sélection initiale&#xa0;:</translation>
    </message>
    <message>
        <source>Add images to history</source>
        <translation>Ajouter les images à l&apos;historique</translation>
    </message>
    <message>
        <source>Paste from history as plain text</source>
        <translation>Coller depuis l&apos;historique en texte brut</translation>
    </message>
    <message>
        <source>Clear history on exit</source>
        <translation>Effacer l&apos;historique en quittant</translation>
    </message>
    <message>
        <source>Show compact List</source>
        <translation>Afficher une liste compacte</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;There are no applications.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Il n&apos;y a aucune application.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Ajouter…</translation>
    </message>
    <message>
        <source>Release notes</source>
        <translation>Notes de version</translation>
    </message>
    <message>
        <source>Update check</source>
        <translation>Mises à jour</translation>
    </message>
    <message>
        <source>Check for update</source>
        <translation>Vérifier les mises à jour</translation>
    </message>
    <message>
        <source>Update now</source>
        <translation>Mettre à jour maintenant</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Premier</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>Deuxième</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Update check failed</source>
        <translation>La recherche de mises à jour a échoué</translation>
    </message>
    <message>
        <source>Updated version is available</source>
        <translation>Une nouvelle version est disponible</translation>
    </message>
    <message>
        <source>No update available</source>
        <translation>Aucune mise à jour disponible</translation>
    </message>
    <message>
        <source>Kestovan, the clipboard manager of the Morva developers.</source>
        <translation>Kestovan, le gestionnaire de presse-papiers des développeurs de Morva.</translation>
    </message>
    <message>
        <source>Version: %1.%2&lt;br&gt;</source>
        <translation>Version&#xa0;: %1.%2&lt;br&gt;</translation>
    </message>
    <message>
        <source>Build on %1&lt;br&gt;&lt;br&gt;</source>
        <translation>Compilé le %1&lt;br&gt;&lt;br&gt;</translation>
    </message>
    <message>
        <source>Feature requests and bug reports can be sent to:&lt;br&gt;</source>
        <translation>Les demandes de fonctionnalités et les rapports de bogues peuvent être envoyés à&#xa0;:&lt;br&gt;</translation>
    </message>
    <message>
        <source>Kestovan could not be kept from starting at login: the file %1 could not be removed.</source>
        <translation>Impossible d&apos;empêcher Kestovan de démarrer à l&apos;ouverture de session&#xa0;: le fichier %1 n&apos;a pas pu être supprimé.</translation>
    </message>
    <message>
        <source>Kestovan could not be set to start at login: the file %1 could not be written.</source>
        <translation>Impossible de configurer Kestovan pour qu&apos;il démarre à l&apos;ouverture de session&#xa0;: le fichier %1 n&apos;a pas pu être écrit.</translation>
    </message>
    <message>
        <source>The size limit must be at least 1 kB: a smaller one would ignore every text. The stored number is kept.</source>
        <translation>La limite de taille doit être d&apos;au moins 1 Ko&#xa0;: une limite plus petite ignorerait tous les textes. Le nombre enregistré est conservé.</translation>
    </message>
    <message>
        <source>Type a number of characters. The stored number is kept.</source>
        <translation>Saisissez un nombre de caractères. Le nombre enregistré est conservé.</translation>
    </message>
    <message>
        <source>Keep at least 1 item in the history: fewer would delete every clipping. The stored number is kept.</source>
        <translation>Conservez au moins 1 élément dans l&apos;historique&#xa0;: moins effacerait tout l&apos;historique. Le nombre enregistré est conservé.</translation>
    </message>
</context>
<context>
    <name>ShortcutDialog</name>
    <message>
        <source>Enter shortcut</source>
        <translation>Saisissez le raccourci</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>Définir un raccourci</translation>
    </message>
</context>
<context>
    <name>SnippetClipDialog</name>
    <message>
        <source>Choose clipping type</source>
        <translation>Choisir le type d&apos;élément</translation>
    </message>
    <message>
        <source>Clipping type</source>
        <translation>Type d&apos;élément</translation>
    </message>
    <message>
        <source>Current clipping</source>
        <translation>Élément actuel</translation>
    </message>
    <message>
        <source>Clipping from position</source>
        <translation>Élément à la position</translation>
    </message>
    <message>
        <source>Clipping that matches</source>
        <translation>Élément correspondant</translation>
    </message>
    <message>
        <source>Enter regular expression which is matched with the clipping history</source>
        <translation>Saisissez une expression régulière à comparer avec l&apos;historique</translation>
    </message>
</context>
<context>
    <name>SnippetModel</name>
    <message>
        <source>The file holds no Kestovan snippets; nothing was imported.</source>
        <translation>Le fichier ne contient aucun extrait Kestovan ; rien n&apos;a été importé.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>Impossible de créer le dossier %1.</translation>
    </message>
    <message>
        <source>Writing the snippets file failed: </source>
        <translation>L&apos;écriture du fichier des extraits a échoué&#xa0;: </translation>
    </message>
    <message>
        <source>Failed to read the snippets file: </source>
        <translation>Impossible de lire le fichier des extraits&#xa0;: </translation>
    </message>
    <message>
        <source>The snippets file was written by a newer version of Kestovan: </source>
        <translation>Le fichier des extraits a été écrit par une version plus récente de Kestovan&#xa0;: </translation>
    </message>
    <message>
        <source>Failed to parse the snippets file: </source>
        <translation>Impossible d&apos;analyser le fichier des extraits&#xa0;: </translation>
    </message>
    <message>
        <source>The snippets file is too large to load: </source>
        <translation>Le fichier des extraits est trop volumineux pour être chargé&#xa0;: </translation>
    </message>
</context>
<context>
    <name>SnippetsPage</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Only expand keyword after space is pressed</source>
        <translation>Ne développer le mot-clé qu&apos;après un appui sur Espace</translation>
    </message>
    <message>
        <source>Import/Export Snippets</source>
        <translation>Importer/exporter les extraits</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importer</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>Snippets</source>
        <translation>Extraits</translation>
    </message>
    <message>
        <source>Add new group</source>
        <translation>Ajouter un groupe</translation>
    </message>
    <message>
        <source>Remove group</source>
        <translation>Retirer le groupe</translation>
    </message>
    <message>
        <source>Edit group</source>
        <translation>Modifier le groupe</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Monter</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Descendre</translation>
    </message>
    <message>
        <source>Add new snippet</source>
        <translation>Ajouter un extrait</translation>
    </message>
    <message>
        <source>Remove snippet</source>
        <translation>Retirer l&apos;extrait</translation>
    </message>
    <message>
        <source>Edit snippet</source>
        <translation>Modifier l&apos;extrait</translation>
    </message>
    <message>
        <source>Move snippet to other group</source>
        <translation>Déplacer l&apos;extrait vers un autre groupe</translation>
    </message>
    <message>
        <source>Snippet Text</source>
        <translation>Texte de l&apos;extrait</translation>
    </message>
    <message>
        <source>The content is not visible in the list</source>
        <translation>Le contenu n&apos;est pas visible dans la liste</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Insérer</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>JSON files (*.json);;All files (*.*);</source>
        <translation>Fichiers JSON (*.json);;Tous les fichiers (*.*);</translation>
    </message>
    <message>
        <source>Show content</source>
        <translation>Afficher le contenu</translation>
    </message>
    <message>
        <source>Hide content</source>
        <translation>Masquer le contenu</translation>
    </message>
    <message>
        <source>Set shortcut</source>
        <translation>Définir un raccourci</translation>
    </message>
    <message>
        <source>Clear shortcut</source>
        <translation>Effacer le raccourci</translation>
    </message>
    <message>
        <source>Set expand keyword</source>
        <translation>Définir le mot-clé de développement</translation>
    </message>
    <message>
        <source>Clear expand keyword</source>
        <translation>Effacer le mot-clé de développement</translation>
    </message>
    <message>
        <source>Set keyword</source>
        <translation>Définir le mot-clé</translation>
    </message>
    <message>
        <source>Give the keyword which will be
automatically replaced with the snippet.</source>
        <translation>Indiquez le mot-clé qui sera
automatiquement remplacé par l&apos;extrait.</translation>
    </message>
    <message>
        <source>Clipping...</source>
        <translation>Élément…</translation>
    </message>
    <message>
        <source>Cursor</source>
        <translation>Position du curseur</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Save snippets</source>
        <translation>Enregistrer les extraits</translation>
    </message>
    <message>
        <source>Export error</source>
        <translation>Erreur d&apos;exportation</translation>
    </message>
    <message>
        <source>Failed to export the snippets to </source>
        <translation>Impossible d&apos;exporter les extraits vers </translation>
    </message>
    <message>
        <source>Load snippets</source>
        <translation>Charger des extraits</translation>
    </message>
    <message>
        <source>Import error</source>
        <translation>Erreur d&apos;importation</translation>
    </message>
    <message>
        <source>Failed to import the snippets from </source>
        <translation>Impossible d&apos;importer les extraits depuis </translation>
    </message>
    <message>
        <source>The file is not valid JSON: %1 at byte %2.</source>
        <translation>Le fichier n&apos;est pas un JSON valide&#xa0;: %1 à l&apos;octet %2.</translation>
    </message>
</context>
<context>
    <name>Sync</name>
    <message>
        <source>Google Drive sync is not available: this build has no Google client id and secret.</source>
        <translation>La synchronisation avec Google Drive n&apos;est pas disponible&#xa0;: cette version n&apos;a ni identifiant ni secret client Google.</translation>
    </message>
    <message>
        <source>Synchronizing...</source>
        <translation>Synchronisation…</translation>
    </message>
    <message>
        <source>Synchronization failed.</source>
        <translation>La synchronisation a échoué.</translation>
    </message>
    <message>
        <source>Synchronization skipped a damaged file: %1</source>
        <translation>La synchronisation a ignoré un fichier endommagé&#xa0;: %1</translation>
    </message>
    <message>
        <source>Synchronization successful.</source>
        <translation>Synchronisation réussie.</translation>
    </message>
    <message>
        <source>Google Drive sync is not available: %1</source>
        <translation>La synchronisation avec Google Drive n&apos;est pas disponible&#xa0;: %1</translation>
    </message>
    <message>
        <source>Decryption failed for %1: the passphrases of your computers may differ.</source>
        <translation>Le déchiffrement de %1 a échoué&#xa0;: les phrases secrètes de vos ordinateurs sont peut-être différentes.</translation>
    </message>
    <message>
        <source>Synchronization refused what is not encrypted while encryption is on: %1</source>
        <translation>Le chiffrement étant activé, la synchronisation a refusé ce qui n’est pas chiffré&#xa0;: %1</translation>
    </message>
    <message>
        <source>Synchronization is not working: the sync folder %1 cannot be found.</source>
        <translation>La synchronisation ne fonctionne pas&#xa0;: le dossier de synchronisation %1 est introuvable.</translation>
    </message>
</context>
<context>
    <name>SyncLocalFolder</name>
    <message>
        <source>Select sync target folder</source>
        <translation>Choisir le dossier de synchronisation</translation>
    </message>
</context>
<context>
    <name>SyncLogDialog</name>
    <message>
        <source>Filter</source>
        <translation>Filtrer</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>Clear Log</source>
        <translation>Effacer le journal</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Save sync log</source>
        <translation>Enregistrer le journal de synchronisation</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*.*);</source>
        <translation>Fichiers texte (*.txt);;Tous les fichiers (*.*);</translation>
    </message>
    <message>
        <source>Save error</source>
        <translation>Erreur d&apos;enregistrement</translation>
    </message>
    <message>
        <source>Failed to save the sync log to </source>
        <translation>Impossible d&apos;enregistrer le journal de synchronisation sous </translation>
    </message>
</context>
<context>
    <name>SyncReplyPage</name>
    <message>
        <source>Authentication succeeded!</source>
        <translation>Authentification réussie&#xa0;!</translation>
    </message>
    <message>
        <source>Authentication failed!</source>
        <translation>Échec de l&apos;authentification&#xa0;!</translation>
    </message>
    <message>
        <source>You may close the browser window now.</source>
        <translation>Vous pouvez maintenant fermer la fenêtre du navigateur.</translation>
    </message>
</context>
<context>
    <name>SyncSettings</name>
    <message>
        <source>Select where do you want to sync the data:</source>
        <translation>Choisissez où synchroniser les données :</translation>
    </message>
    <message>
        <source>&lt;b&gt;Google Drive Sync&lt;/b&gt; stores the data to the application specific folder in your personal Google account.</source>
        <translation>&lt;b&gt;La synchronisation Google Drive&lt;/b&gt; enregistre les données dans le dossier propre à l’application de votre compte Google personnel.</translation>
    </message>
    <message>
        <source>Sync with Google Drive</source>
        <translation>Synchroniser avec Google Drive</translation>
    </message>
    <message>
        <source>&lt;b&gt;Local Folder Sync&lt;/b&gt; makes it possible to share the data between computers e.g. via Dropbox or network drive.</source>
        <translation>&lt;b&gt;La synchronisation par dossier&lt;/b&gt; permet de partager les données entre ordinateurs, par exemple via Dropbox ou un lecteur réseau.</translation>
    </message>
    <message>
        <source>Sync with Local Folder</source>
        <translation>Synchroniser avec un dossier</translation>
    </message>
    <message>
        <source>Stop synchronizing the data</source>
        <translation>Arrêter la synchronisation des données</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Synchronisation</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Envoyer</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Récupérer</translation>
    </message>
    <message>
        <source>Full Sync</source>
        <translation>Tout synchroniser</translation>
    </message>
    <message>
        <source>Sync status:</source>
        <translation>État :</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Sync clipboard history</source>
        <translation>Synchroniser l’historique du presse-papiers</translation>
    </message>
    <message>
        <source>Sync snippets</source>
        <translation>Synchroniser les extraits</translation>
    </message>
    <message>
        <source>Sync actions</source>
        <translation>Synchroniser les actions</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>Chiffrement</translation>
    </message>
    <message>
        <source>Encrypt data</source>
        <translation>Chiffrer les données</translation>
    </message>
    <message>
        <source>Passphrase:</source>
        <translation>Phrase secrète :</translation>
    </message>
    <message>
        <source>Sync Target Folder</source>
        <translation>Dossier de synchronisation</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Parcourir</translation>
    </message>
    <message>
        <source>Connected Clients</source>
        <translation>Appareils connectés</translation>
    </message>
    <message>
        <source>No connection</source>
        <translation>Pas de connexion</translation>
    </message>
    <message>
        <source>Last success</source>
        <translation>Dernière réussite</translation>
    </message>
    <message>
        <source>Not synchronized</source>
        <translation>Non synchronisé</translation>
    </message>
    <message>
        <source>Encryption needs a passphrase.</source>
        <translation>Le chiffrement nécessite une phrase secrète.</translation>
    </message>
    <message>
        <source>Please authorize Kestovan to access your Google Drive on the browser.</source>
        <translation>Veuillez autoriser Kestovan à accéder à votre Google Drive dans le navigateur.</translation>
    </message>
    <message>
        <source>Please choose the sync folder.</source>
        <translation>Veuillez choisir le dossier de synchronisation.</translation>
    </message>
    <message>
        <source>Show log</source>
        <translation>Afficher le journal</translation>
    </message>
    <message>
        <source>The remote data will be overwritten with your local content. Are you sure you want to continue?</source>
        <translation>Les données distantes seront remplacées par votre contenu local. Voulez-vous vraiment continuer ?</translation>
    </message>
    <message>
        <source>All your local content will be overwritten with the remote data. Are you sure you want to continue?</source>
        <translation>Tout votre contenu local sera remplacé par les données distantes. Voulez-vous vraiment continuer ?</translation>
    </message>
    <message>
        <source>Failed to connect to the notification server.</source>
        <translation>Échec de la connexion au serveur de notifications.</translation>
    </message>
    <message>
        <source>No connection to the notification server.</source>
        <translation>Aucune connexion au serveur de notifications.</translation>
    </message>
</context>
</TS>
